#pragma once

// The run without a window: load the layout named on the command line, apply the options in order,
// save, end. Every message goes to the model's sink (standard error in such a run).

#include <string>
#include <vector>

#include "banner_editor/BannerModel.h"

namespace banner_editor {

// Runs the command line's arguments (without the program name) on the model and returns the exit
// status: 0 saved, 1 stopped on a failure (the reason went to the sink, nothing was written), 2 the
// command line cannot be used (nothing was read or written). The program folder stays locked for the
// run, so two unattended runs on one layout take turns instead of losing each other's edits.
int runUnattended(BannerModel& model, const std::vector<std::string>& args);

} // namespace banner_editor
