#pragma once

// Shared set-up of the injector tests: a temporary program folder (with the NeoGeo header template),
// a sink handed to the injection that records its messages, and short helpers.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "injector/Injection.h"
#include "injector/InjectorMessages.h"
#include "platform/TextCodec.h"
#include "support/InjectorTitleBuilders.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace injector_test {

// How an injection ended, as the window sees it.
enum class InjectionStatus {
    Done,       // everything asked for was written
    Incomplete, // a window run passed over a texture with a message; the titles were written
    Stopped,    // it failed and wrote nothing; the error is the sink's last message
};

class InjectorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        headerTemplate = platform::Bytes{'W', 'I', 'B', 'N'};
        headerTemplate.resize(32, 0x5A);
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

    // Runs the injection; a failure is shown through the sink, as the window shows it.
    InjectionStatus inject(const injector::InjectionRequest& r)
    {
        const auto outcome = injector::inject(r, sink);
        if (!outcome) {
            sink.error(outcome.error(), injector::iconFor(outcome.error()));
            return InjectionStatus::Stopped;
        }
        return outcome->complete ? InjectionStatus::Done : InjectionStatus::Incomplete;
    }

    std::string lastTitle() const { return sink.messages.empty() ? std::string() : sink.messages.back().title; }
    std::string lastPrompt() const { return sink.messages.empty() ? std::string() : sink.messages.back().prompt; }
    // The last message's first line: a fixed text, before where a missing file was looked for.
    std::string lastFirstLine() const
    {
        const std::string prompt = lastPrompt();
        return prompt.substr(0, prompt.find("\r\n"));
    }

    test_support::TempFolder folder;
    test_support::RecordingSink sink{"Stavik"};
    platform::Bytes headerTemplate;
};

inline platform::Bytes slice(const platform::Bytes& b, std::size_t from, std::size_t n)
{
    return platform::Bytes(b.begin() + static_cast<std::ptrdiff_t>(from),
                           b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

} // namespace injector_test
