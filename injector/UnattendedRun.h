#pragma once

// Stavik's unattended run: apply the command line to the model, inject once, return the exit status.

#include <string>
#include <vector>

#include "injector/InjectorModel.h"

namespace injector {

// 0 when everything asked for was injected; 1 when the injection stopped (the reason on the model's
// sink, no file changed); 2 when the command line cannot be used (nothing applied).
int runUnattended(InjectorModel& model, const std::vector<std::string>& args);

} // namespace injector
