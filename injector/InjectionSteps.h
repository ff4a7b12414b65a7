#pragma once

// Internal to the injection: the state of one run and its per-console branches.

#include <optional>

#include "injector/Injection.h"
#include "injector/InjectorMessages.h"

namespace injector {

class InjectionRun
{
public:
    InjectionRun(const InjectionRequest& request, FileBuffers& buffers) : m_req(request), m_buf(buffers) {}

    InjectionOutcome run();

private:
    // Branches; each returns false when it stopped (its message already shown).
    bool neoGeo();
    bool nes();
    bool snes();
    bool n64();
    bool sega();
    bool tg16();
    bool c64();

    // Shows a fixed message or an error; stop() and fail() also mark the run as stopped.
    bool stop(const MessageText& text);
    bool fail(const platform::Error& error);
    void warn(const MessageText& text);

    // The resolved native path of a path text.
    std::filesystem::path resolve(std::u16string_view text) const;
    // The source when it is not empty and names an existing file (wantFolder: folder); a non-empty
    // source that names nothing is a warning in an unattended run, where it was typed on purpose.
    std::optional<std::filesystem::path> usableSource(bool wantFolder);
    // Copies the source over an existing texture file; a missing target is the given message.
    bool replaceTexture(const std::filesystem::path& target, const MessageText& missing, const std::u16string& line);
    // For a destination that is missing: the report alone when a texture went in (in an unattended
    // run also a warning, and the run counts as incomplete), else a failure.
    bool destinationMissing();
    bool writeWhole(const std::filesystem::path& path, platform::ByteView bytes);
    // Adds a line to the report that only a window run shows.
    void reportTitle(const std::u16string& text);

    const std::u16string& title(int slot) const { return m_req.titles[static_cast<std::size_t>(slot)]; }

    const InjectionRequest& m_req;
    FileBuffers& m_buf;
    std::u16string m_report;
    bool m_incomplete = false;
    bool m_textureCopied = false;
};

// Errors for the limits the formats set.
platform::Error titleTooLong(const std::string& what);

} // namespace injector
