#pragma once

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace platform {

// What went wrong, in a form tests can compare; the message is the text the user sees.
enum class ErrorKind {
    NotFound,      // a file, folder or entry that is not there
    ReadFailed,    // the system refused to read
    WriteFailed,   // the system refused to write (the old file is kept)
    BadFormat,     // input that does not follow its format (truncated, out of range)
    BadArgument,   // a value the user gave that cannot be used
    ProcessFailed, // an outside program could not be started
    Cancelled,     // the user backed out
};

struct Error
{
    ErrorKind kind;
    std::string message; // UTF-8, shown as it stands

    // Where a failure has a fixed message text and title, the sink shows both.
    std::string title = {};
};

// A value or an Error. Functions that can fail return this, marked [[nodiscard]] at the declaration.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() &
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    const T& value() const&
    {
        assert(ok());
        return std::get<0>(m_state);
    }
    T&& value() &&
    {
        assert(ok());
        return std::get<0>(std::move(m_state));
    }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const
    {
        assert(!ok());
        return std::get<1>(m_state);
    }

private:
    std::variant<T, Error> m_state;
};

template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_failed(true) {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const
    {
        assert(m_failed);
        return m_error;
    }

private:
    Error m_error{ErrorKind::NotFound, {}};
    bool m_failed = false;
};

inline Error makeError(ErrorKind kind, std::string message, std::string title = {})
{
    return Error{kind, std::move(message), std::move(title)};
}

} // namespace platform
