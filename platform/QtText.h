#pragma once

// Field texts between the core (UTF-16 in std::u16string) and the windows (QString), and paths shown
// in or taken from a window. Every window converts through these.

#include <filesystem>
#include <string>
#include <string_view>

#include <QString>

#include "PathText.h"

namespace platform {

inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text)
{
    return text.toStdU16String();
}

// A native path as a window shows it, and a path a dialog returned.
inline QString pathToQString(const std::filesystem::path& path)
{
    return toQString(pathToText(path));
}

inline std::filesystem::path qStringToPath(const QString& text)
{
    return textToPath(toU16(text));
}

} // namespace platform
