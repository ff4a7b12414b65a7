#include "icon_generator/PendingWrite.h"

#include <system_error>

namespace icon_generator {

PendingWrite::PendingWrite(std::function<platform::Result<void>()> write)
{
    try {
        m_outcome = std::async(std::launch::async, write);
    } catch (const std::system_error&) {
        std::promise<platform::Result<void>> done;
        done.set_value(write());
        m_outcome = done.get_future();
    }
}

platform::Result<void> PendingWrite::wait()
{
    return m_outcome.get();
}

} // namespace icon_generator
