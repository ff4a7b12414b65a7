#pragma once

// A durable write of an output that goes on in the background while the generation runs its next
// outside program. Flushing a file to the device can take as long as a converter run on a busy
// disk; started in the background, the two overlap instead of adding up. The write works only on
// the paths and bytes it was given, so the run's own state is never touched from two threads.
// Should no thread be available, the write is made at once.

#include <functional>
#include <future>

#include "platform/Result.h"

namespace icon_generator {

class PendingWrite
{
public:
    explicit PendingWrite(std::function<platform::Result<void>()> write);

    // Waits until the write has ended and gives its outcome; call it once. A PendingWrite that is
    // destroyed unasked waits for its write all the same.
    [[nodiscard]] platform::Result<void> wait();

private:
    std::future<platform::Result<void>> m_outcome;
};

} // namespace icon_generator
