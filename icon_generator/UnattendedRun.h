#pragma once

#include <string>
#include <vector>

namespace icon_generator {

class GeneratorModel;

// Runs the generator without a window on its arguments (after the program name): reads the command
// line, applies it to the model and makes the textures once. Success is silent; what went wrong is
// written to standard error through the model's sink. Returns 0 when every output asked for was
// written, 1 when one was not or the run stopped (no readable source, no destination folder), 2 when
// the command line cannot be used.
int runUnattended(GeneratorModel& model, const std::vector<std::string>& args);

} // namespace icon_generator
