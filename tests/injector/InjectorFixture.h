#pragma once

// Shared set-up of the injector tests: a temporary program folder (with the NeoGeo header template),
// a message sink that records what the injection shows, and short helpers.

#include "injector/Injection.h"
#include "platform/Messages.h"
#include "platform/TextCodec.h"
#include "support/InjectorTitleBuilders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace injector_test {

struct ShownMessage
{
    std::string prompt;
    std::string title;
    platform::MessageIcon icon;
};

class RecordingSink : public platform::MessageSink
{
public:
    void show(const std::string& prompt, const std::string& title, platform::MessageIcon icon) override
    {
        shown.push_back({prompt, title, icon});
    }
    std::vector<ShownMessage> shown;
};

class InjectorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::setProgramName("Stavik");
        m_previous = platform::setMessageSink(&sink);
        headerTemplate = platform::Bytes(32, 0x5A);
        headerTemplate.resize(64, 0x77); // only the first 32 bytes are used
        folder.write("templates/tpl_neogeo_header.bin", headerTemplate);
    }
    void TearDown() override { platform::setMessageSink(m_previous); }

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

    std::string lastTitle() const { return sink.shown.empty() ? std::string() : sink.shown.back().title; }

    test_support::TempFolder folder;
    RecordingSink sink;
    platform::Bytes headerTemplate;

private:
    platform::MessageSink* m_previous = nullptr;
};

inline platform::Bytes slice(const platform::Bytes& b, std::size_t from, std::size_t n)
{
    return platform::Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                           b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

} // namespace injector_test
