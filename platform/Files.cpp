#include "Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "FileSystemOps.h"
#include "TextCodec.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

std::optional<std::size_t> g_failAfter;

std::string quoted(const fs::path& p)
{
    return "'" + p.string() + "'";
}

// The entry of folder whose name equals name without regard to case, if any. An exact match wins.
std::optional<fs::path> matchInFolder(const fs::path& folder, const fs::path& name)
{
    std::error_code ec;
    if (fs::exists(folder / name, ec))
        return folder / name;
    const std::string wanted = name.string();
    std::optional<fs::path> best;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string candidate = it->path().filename().string();
        if (equalsIgnoringCase(candidate, wanted)) {
            if (!best || candidate < best->filename().string())
                best = folder / candidate;
        }
    }
    return best;
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const auto la = asciiLower(a), lb = asciiLower(b);
    return la != lb ? la < lb : a < b;
}

} // namespace

fs::path findExisting(const fs::path& p)
{
    std::error_code ec;
    if (p.empty() || fs::exists(p, ec))
        return p;
    fs::path current = p.root_path();
    const fs::path relative = p.relative_path();
    auto it = relative.begin();
    for (; it != relative.end(); ++it) {
        if (it->empty() || *it == "." || *it == "..") {
            current /= *it;
            continue;
        }
        auto match = matchInFolder(current, *it);
        if (!match)
            break;
        current = *match;
    }
    for (; it != relative.end(); ++it)
        current /= *it;
    return current;
}

fs::path pathForCreate(const fs::path& p)
{
    if (!p.has_filename())
        return findExisting(p);
    const fs::path folder = findExisting(p.parent_path());
    std::error_code ec;
    if (fs::is_directory(folder.empty() ? fs::path(".") : folder, ec)) {
        if (auto match = matchInFolder(folder, p.filename()))
            return *match;
    }
    return folder / p.filename();
}

bool fileExists(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(findExisting(p), ec);
}

bool folderExists(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(findExisting(p), ec);
}

Result<Bytes> readFile(const fs::path& path)
{
    const fs::path p = findExisting(path);
    std::error_code ec;
    if (!fs::exists(p, ec))
        return makeError(ErrorKind::NotFound, "File not found: " + quoted(path));
    if (fs::is_directory(p, ec))
        return makeError(ErrorKind::ReadFailed, "Cannot read " + quoted(path) + ": it is a folder");
    std::FILE* f = std::fopen(p.c_str(), "rb");
    if (!f)
        return makeError(ErrorKind::ReadFailed, "Cannot read " + quoted(path) + ": " + std::strerror(errno));
    // Room for the whole file at once: growing step by step would hold up to twice its size.
    Bytes out;
    if (const auto size = fs::file_size(p, ec); !ec)
        out.reserve(static_cast<std::size_t>(size));
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
        out.insert(out.end(), chunk, chunk + n);
        if (n < sizeof chunk)
            break;
    }
    const bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad)
        return makeError(ErrorKind::ReadFailed, "Cannot read " + quoted(path));
    return out;
}

namespace {

// The atomic write; newPerms, when given, are the permissions of the written file, else a replaced
// file keeps its own and a new one gets the usual ones.
Result<void> writeAtomic(const fs::path& path, ByteView bytes, std::optional<fs::perms> newPerms)
{
    const fs::path target = pathForCreate(path);
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(path) + ": the folder does not exist");
    if (fs::is_directory(target, ec))
        return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(path) + ": it is a folder");
    // A file marked read-only stays as it is, as deleting it would fail where the tools come from;
    // renaming over it would otherwise replace it whatever its permissions.
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::exists(target, ec) && (fs::status(target, ec).permissions() & anyWrite) == fs::perms::none)
        return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(path) + ": the file is read-only");

    std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = createTempFile(tmpl);
    if (fd < 0)
        return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(path) + ": " + std::strerror(errno));
    const fs::path tmp = tmpl;

    std::size_t limit = bytes.size();
    const bool injected = g_failAfter && *g_failAfter < bytes.size();
    if (injected)
        limit = *g_failAfter;
    std::string reason;
    if (!writeAllAndSync(fd, bytes.first(limit), &reason) || injected) {
        if (injected)
            reason = "simulated write failure";
        fs::remove(tmp, ec);
        return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(path) + ": " + reason);
    }
    // Keep the permissions of a file that is replaced; a new file gets the usual ones, not the
    // temporary file's private ones.
    if (newPerms)
        fs::permissions(tmp, *newPerms, ec);
    else if (fs::exists(target, ec))
        fs::permissions(tmp, fs::status(target, ec).permissions(), ec);
    else
        fs::permissions(tmp, newFilePermissions(), ec);
    if (!renameOver(tmp, target, &reason)) {
        fs::remove(tmp, ec);
        return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(path) + ": " + reason);
    }
    return {};
}

} // namespace

Result<void> writeFileAtomic(const fs::path& path, ByteView bytes)
{
    return writeAtomic(path, bytes, std::nullopt);
}

Result<void> removeIfPresent(const fs::path& path)
{
    const fs::path p = findExisting(path);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(p, ec)))
        return {};
    if (!fs::remove(p, ec) || ec)
        return makeError(ErrorKind::WriteFailed, "Cannot delete " + quoted(path) + ": " + ec.message());
    return {};
}

Result<void> createFolders(const fs::path& path)
{
    fs::path current = path.root_path();
    std::error_code ec;
    for (const auto& part : path.relative_path()) {
        if (part.empty())
            continue;
        if (part == "." || part == "..") {
            current /= part;
            continue;
        }
        auto match = matchInFolder(current, part);
        current = match ? *match : current / part;
        if (!fs::is_directory(current, ec)) {
            fs::create_directory(current, ec);
            if (ec)
                return makeError(ErrorKind::WriteFailed,
                                 "Cannot create the folder " + quoted(current) + ": " + ec.message());
        }
    }
    return {};
}

Result<void> copyFile(const fs::path& from, const fs::path& to)
{
    auto bytes = readFile(from);
    if (!bytes)
        return bytes.error();
    // The copy has the source's permissions, so a copied program stays executable.
    std::error_code ec;
    const auto perms = fs::status(findExisting(from), ec).permissions();
    return writeAtomic(to, bytes.value(), ec ? std::nullopt : std::optional<fs::perms>(perms));
}

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    if (pattern == "*.*" || pattern == "*")
        return true;
    // Iterative wildcard match with one backtrack point for the last "*".
    std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++, starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1, n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<std::string> listFolder(const fs::path& folder, std::string_view pattern)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(findExisting(folder), ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        const std::string name = it->path().filename().string();
        if (matchesPattern(name, pattern))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

std::vector<std::string> listSubfolders(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(findExisting(folder), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return names;
}

void setWriteFailureAfterForTesting(std::optional<std::size_t> bytes)
{
    g_failAfter = bytes;
}

} // namespace platform
