#pragma once

// One injection: the chosen console's source, destination and titles checked, every file it changes
// prepared, then all of them written or none.

#include "injector/InjectionRequest.h"
#include "platform/Messages.h"
#include "platform/Result.h"

namespace injector {

// Runs the injection of the request's console (NeoGeo when none is chosen). Messages along the way
// (a texture passed over, the folder a WTE set goes to) and the final report go to sink; a failure
// is returned, and then no file was changed.
[[nodiscard]] platform::Result<InjectionOutcome> inject(const InjectionRequest& request, platform::MessageSink& sink);

} // namespace injector
