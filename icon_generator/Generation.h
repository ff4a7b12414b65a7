#pragma once

// The "Make" run: from the composed frames, the source picture and the destination prefix it writes
// the console's save data and, independently of the console, the channel picture and channel icon.
// The outside converter encodes every texture from scratch TGA pictures in the program folder
// (ToolRunner); gbalzss compresses the C-64 save banner. Each output is written whole and atomically
// once its texture has been checked, the WTE set all or nothing, so a failed step leaves the old
// files in place; a file of another kind at an output's name is left alone. A failed output does not
// stop the others.

#include <filesystem>
#include <string>
#include <vector>

#include <QImage>

#include "icon_generator/FrameComposer.h"
#include "platform/Messages.h"

namespace icon_generator {

struct GenerationRequest
{
    std::filesystem::path programFolder;
    int consoleIndex = NO_CONSOLE;
    std::u16string prefix; // the destination prefix as the user sees it
    bool saveData = true;
    bool channelPicture = true;
    bool channelIcon = true;
    Frames frames; // composed (only read for the save data)
    QImage source;
};

struct GenerationReport
{
    std::vector<std::u16string> written; // prefix + name of each file written
    std::vector<std::string> failures;   // one line per output that was not written
    // The final message: one line per output made or failed, save data first; the channel lines
    // are joined with CR LF (so a run without save data starts with CR LF).
    std::string messageText;

    bool complete() const { return failures.empty(); }
};

// Runs the generation under the program-folder lock. Messages shown along the way (gbalzss missing,
// an outside program that cannot be started) go to the sink; the report says what became of each
// output.
GenerationReport generate(const GenerationRequest& request, platform::MessageSink& sink);

} // namespace icon_generator
