#pragma once

// The state of one injection while it runs: the request, the sink its messages go to, the files it
// has prepared and the report. Each console's injection checks everything and stages the whole new
// content of every file it changes; commit() then writes them all or none, so a failure at any point
// leaves every file as it was.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "injector/InjectionRequest.h"
#include "injector/InjectorMessages.h"
#include "injector/SourceKinds.h"
#include "platform/Bytes.h"
#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace injector {

class InjectionContext
{
public:
    InjectionContext(const InjectionRequest& request, platform::MessageSink& sink);

    const std::u16string& source() const { return m_request.source; }
    const std::u16string& destination() const { return m_request.destination; }
    const std::u16string& title(int slot) const { return m_request.titles.at(static_cast<std::size_t>(slot)); }
    const std::filesystem::path& programFolder() const { return m_request.programFolder; }
    bool unattended() const { return m_request.commandLine; }
    platform::MessageSink& sink() const { return m_sink; }

    // The native path of a path text.
    std::filesystem::path resolve(std::u16string_view text) const;

    // The source file, read and checked to be of the kind; a missing file fails with `missing`,
    // followed by where it was looked for.
    [[nodiscard]] platform::Result<platform::Bytes> requiredSource(SourceKind kind, const MessageText& missing) const;

    // An optional source: nothing when the source text is empty. A source that names nothing is passed
    // over in a window run (the texture step then does not happen); an unattended run, where it was
    // typed on purpose, stops on it.
    [[nodiscard]] platform::Result<std::optional<std::filesystem::path>> optionalSource(bool folder) const;

    // The optional texture of SNES, TG16 and C64: the source replaces the existing file targetText.
    // A missing target is the fixed message `missing`: a window run shows it and goes on with the
    // titles, an unattended run stops on it. reportLine goes into the report when the texture is
    // staged.
    [[nodiscard]] platform::Result<void> replaceTexture(SourceKind kind, const std::u16string& targetText,
                                                        const MessageText& missing, std::u16string reportLine);

    // SNES, TG16 and C64 when the title file is missing: a window run that staged a texture writes
    // that alone, as asked; otherwise the injection stops.
    [[nodiscard]] platform::Result<void> destinationMissing(const std::filesystem::path& dest) const;
    // The destination file is missing: its name, where it was looked for, nothing injected.
    platform::Error destinationNotFound(const std::filesystem::path& dest) const;

    // Queues the new whole content of a file (created when missing). Nothing is written before commit.
    void stage(const std::filesystem::path& target, platform::Bytes bytes);
    bool staged() const { return !m_writes.empty(); }

    // Adds to the report; reportTitle only in a window run, whose report names the titles too.
    void report(std::u16string_view text);
    void reportTitle(std::u16string_view text);

    // Writes every staged file, all or none, then shows the report when it is not empty.
    [[nodiscard]] platform::Result<InjectionOutcome> commit();

private:
    const InjectionRequest& m_request;
    platform::MessageSink& m_sink;
    std::vector<platform::FileWrite> m_writes;
    std::u16string m_report;
    bool m_passedOver = false;
};

} // namespace injector
