#pragma once

// Shared set-up of the injector tests: a temporary program folder (with the NeoGeo header template),
// a sink that records the messages the injection shows, and short helpers.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "injector/Injection.h"
#include "platform/Messages.h"
#include "platform/TextCodec.h"
#include "support/InjectorTitleBuilders.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace injector_test {

class InjectorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::setProgramName("Stavik");
        headerTemplate = platform::Bytes(32, 0x5A);
        headerTemplate.resize(64, 0x77); // only the first 32 bytes are used
        folder.write("templates/tpl_neogeo_header.bin", headerTemplate);
    }
    // A path text of a file in the temporary folder (absolute, as after the injection's first step).
    std::u16string text(const std::string& relative) const
    {
        return platform::utf16FromUtf8((folder.path() / relative).string());
    }

    injector::InjectionRequest request(int console, const std::string& source, const std::string& dest,
                                       bool commandLine = false) const
    {
        injector::InjectionRequest r;
        r.conIndex = console;
        r.source = source.empty() ? std::u16string() : text(source);
        r.destination = text(dest);
        r.programFolder = folder.path();
        r.commandLine = commandLine;
        return r;
    }

    injector::InjectionOutcome inject(const injector::InjectionRequest& r)
    {
        injector::FileBuffers buffers;
        return injector::cmdInject2(r, buffers);
    }

    std::string lastTitle() const { return sink.messages.empty() ? std::string() : sink.messages.back().title; }

    test_support::TempFolder folder;
    test_support::GlobalRecordingSink sink;
    platform::Bytes headerTemplate;
};

inline platform::Bytes slice(const platform::Bytes& b, std::size_t from, std::size_t n)
{
    return platform::Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                           b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

} // namespace injector_test
