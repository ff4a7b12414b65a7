#include "TcsScript.h"

#include <charconv>
#include <vector>

namespace tools {

using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

constexpr std::uint32_t MAX_NUMBER = 65535;

std::string_view trim(std::string_view s)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && isSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view unquote(std::string_view s)
{
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
        return s.substr(1, s.size() - 2);
    return s;
}

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::optional<std::uint32_t> number(std::string_view s)
{
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size() || value > MAX_NUMBER)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> fields(std::string_view s)
{
    std::vector<std::string_view> out;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = s.find(',', start);
        out.push_back(trim(s.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start)));
        if (comma == std::string_view::npos)
            return out;
        start = comma + 1;
    }
}

// Parser state for one script; errors carry "<name> line <n>: ".
class Parser
{
public:
    explicit Parser(std::string_view name) : m_name(name) {}

    Result<Script> run(std::string_view text);

private:
    platform::Error error(std::size_t line, const std::string& what) const
    {
        return makeError(ErrorKind::BadFormat, std::string(m_name) + " line " + std::to_string(line) + ": " + what);
    }
    Result<void> statement(std::string_view line, std::size_t lineNumber);
    Result<void> fileLine(std::uint32_t n, std::string_view value, std::size_t line);
    Result<void> imageLine(std::uint32_t n, std::string_view value, std::size_t line);
    Result<void> textureLine(std::uint32_t n, std::string_view value, std::size_t line);
    Result<void> checkReferences() const;

    std::string_view m_name;
    Script m_script;
    bool m_sawPath = false;
};

Result<Script> Parser::run(std::string_view text)
{
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line =
            text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        ++lineNumber;
        if (auto ok = statement(trim(line), lineNumber); !ok)
            return ok.error();
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    if (auto ok = checkReferences(); !ok)
        return ok.error();
    return std::move(m_script);
}

Result<void> Parser::statement(std::string_view line, std::size_t lineNumber)
{
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return {};
    std::size_t pos = 0;
    while (pos < line.size() && ((line[pos] >= 'a' && line[pos] <= 'z') || (line[pos] >= 'A' && line[pos] <= 'Z')))
        ++pos;
    const std::string keyword = lower(line.substr(0, pos));
    std::string_view rest = trim(line.substr(pos));

    if (keyword == "path") {
        if (rest.empty() || rest.front() != '=')
            return error(lineNumber, "expected \"path = <folder>\"");
        if (m_sawPath)
            return error(lineNumber, "a second \"path\" line");
        m_sawPath = true;
        m_script.path = std::string(unquote(trim(rest.substr(1))));
        return {};
    }
    if (keyword != "file" && keyword != "image" && keyword != "texture") {
        return error(lineNumber, keyword.empty() ? "a line that is not a statement: \"" + std::string(line) + "\""
                                                 : "unknown statement \"" + std::string(line.substr(0, pos)) + "\"");
    }
    const std::size_t equals = rest.find('=');
    if (equals == std::string_view::npos)
        return error(lineNumber, "expected \"" + keyword + " <number> = ...\"");
    const auto n = number(trim(rest.substr(0, equals)));
    if (!n)
        return error(lineNumber, "\"" + std::string(trim(rest.substr(0, equals))) + "\" after \"" + keyword +
                                     "\" is not a number from 0 to 65535");
    const std::string_view value = trim(rest.substr(equals + 1));
    if (keyword == "file")
        return fileLine(*n, value, lineNumber);
    if (keyword == "image")
        return imageLine(*n, value, lineNumber);
    return textureLine(*n, value, lineNumber);
}

Result<void> Parser::fileLine(std::uint32_t n, std::string_view value, std::size_t line)
{
    const std::string_view name = unquote(value);
    if (name.empty())
        return error(line, "file " + std::to_string(n) + " has no picture name");
    if (!m_script.files.emplace(n, ScriptFile{std::string(name), line}).second)
        return error(line, "file " + std::to_string(n) + " is declared twice");
    return {};
}

Result<void> Parser::imageLine(std::uint32_t n, std::string_view value, std::size_t line)
{
    const auto parts = fields(value);
    if (parts.size() != 3)
        return error(line, "expected \"image " + std::to_string(n) + " = <file>, <alpha file>, <format>\"");
    ScriptImage image;
    image.line = line;
    const auto colour = number(parts[0]);
    if (!colour)
        return error(line, "\"" + std::string(parts[0]) + "\" is not a file number");
    image.colourFile = *colour;
    if (!parts[1].empty()) {
        const auto alpha = number(parts[1]);
        if (!alpha)
            return error(line, "\"" + std::string(parts[1]) + "\" is not a file number");
        image.alphaFile = *alpha;
    }
    const auto format = formatFromName(parts[2]);
    if (!format)
        return error(line, "unknown texture format \"" + std::string(parts[2]) + "\"");
    image.format = *format;
    if (!m_script.images.emplace(n, image).second)
        return error(line, "image " + std::to_string(n) + " is declared twice");
    return {};
}

Result<void> Parser::textureLine(std::uint32_t n, std::string_view value, std::size_t line)
{
    const auto parts = fields(value);
    if (parts.size() > 2)
        return error(line, "expected \"texture " + std::to_string(n) + " = <image>, x\"");
    const auto image = number(parts[0]);
    if (!image)
        return error(line, "\"" + std::string(parts[0]) + "\" is not an image number");
    if (parts.size() == 2 && !parts[1].empty() && lower(parts[1]) != "x")
        return error(line, "palettes are not supported (palette \"" + std::string(parts[1]) + "\"); write x for none");
    if (!m_script.textures.emplace(n, ScriptTexture{*image, line}).second)
        return error(line, "texture " + std::to_string(n) + " is declared twice");
    return {};
}

Result<void> Parser::checkReferences() const
{
    for (const auto& [n, image] : m_script.images) {
        if (!m_script.files.contains(image.colourFile))
            return error(image.line, "image " + std::to_string(n) + " uses file " + std::to_string(image.colourFile) +
                                         ", which no \"file\" line declares");
        if (image.alphaFile && !m_script.files.contains(*image.alphaFile))
            return error(image.line, "image " + std::to_string(n) + " takes alpha from file " +
                                         std::to_string(*image.alphaFile) + ", which no \"file\" line declares");
    }
    for (const auto& [n, texture] : m_script.textures) {
        if (!m_script.images.contains(texture.image))
            return error(texture.line, "texture " + std::to_string(n) + " uses image " + std::to_string(texture.image) +
                                           ", which no \"image\" line declares");
    }
    if (m_script.textures.empty())
        return makeError(ErrorKind::BadFormat, std::string(m_name) + ": no \"texture\" lines, nothing to write");
    return {};
}

} // namespace

Result<Script> parseScript(std::string_view text, std::string_view name)
{
    return Parser(name).run(text);
}

} // namespace tools
