#include "Files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "FileSystemOps.h"
#include "PathText.h"
#include "TextCodec.h"

namespace platform {
namespace fs = std::filesystem;

namespace {

std::optional<std::size_t> g_failAfter;

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
        if (namesEqualIgnoringCase(candidate, wanted)) {
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

constexpr std::string_view TEMP_MARK = ".vctmp-";

// The file a write of target replaces: a symbolic link is followed to the file it names, so the link
// stays and its file gets the new content.
fs::path followLinks(const fs::path& target)
{
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec)))
        return target;
    const fs::path resolved = fs::weakly_canonical(target, ec);
    return ec ? target : resolved;
}

// The process id in a temporary's name, or 0 when the name is not one of ours for this target.
long ownerOfTemporary(std::string_view name, std::string_view targetName)
{
    const std::string prefix = "." + std::string(targetName) + std::string(TEMP_MARK);
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix)
        return 0;
    long pid = 0;
    for (std::size_t i = prefix.size(); i < name.size() && name[i] != '-'; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000)
            return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    return pid;
}

// Removes the temporaries of target that processes no longer running left behind (a write that was
// killed before it could clean up).
void removeStaleTemporaries(const fs::path& folder, const std::string& targetName)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const long owner = ownerOfTemporary(it->path().filename().string(), targetName);
        if (owner != 0 && !processIsRunning(owner)) {
            std::error_code removeError;
            fs::remove(it->path(), removeError);
        }
    }
}

// A file written beside its target, not yet renamed into place.
struct PreparedFile
{
    fs::path shownPath; // as the caller named it, for messages
    fs::path target;
    fs::path temporary;
};

void discard(const PreparedFile& file)
{
    std::error_code ec;
    fs::remove(file.temporary, ec);
}

Error writeError(const fs::path& shownPath, const std::string& reason)
{
    return makeError(ErrorKind::WriteFailed, "Cannot write " + quoted(shownPath) + ": " + reason);
}

// Checks the target, then writes the bytes to a new temporary file beside it; newPerms, when given,
// are the permissions of the written file, else a replaced file keeps its own and a new one gets the
// usual ones.
Result<PreparedFile> prepare(const fs::path& path, ByteView bytes, std::optional<fs::perms> newPerms)
{
    const fs::path target = followLinks(pathForCreate(path));
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        return writeError(path, "the folder does not exist");
    if (fs::is_directory(target, ec))
        return writeError(path, "it is a folder");
    // A file marked read-only stays as it is, as deleting it would fail where the tools come from;
    // renaming over it would otherwise replace it whatever its permissions.
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    const bool replacing = fs::exists(target, ec);
    if (replacing && (fs::status(target, ec).permissions() & anyWrite) == fs::perms::none)
        return writeError(path, "the file is read-only");

    const std::string name = target.filename().string();
    removeStaleTemporaries(folder, name);
    std::string tmpl =
        (folder / ("." + name + std::string(TEMP_MARK) + std::to_string(currentProcessId()) + "-XXXXXX")).string();
    const int fd = createTempFile(tmpl);
    if (fd < 0)
        return writeError(path, std::strerror(errno));
    PreparedFile file{path, target, tmpl};

    std::size_t limit = bytes.size();
    const bool injected = g_failAfter && *g_failAfter < bytes.size();
    if (injected)
        limit = *g_failAfter;
    std::string reason;
    if (!writeAllAndSync(fd, bytes.first(limit), &reason) || injected) {
        discard(file);
        return writeError(path, injected ? "simulated write failure" : reason);
    }
    // Keep the permissions of a file that is replaced; a new file gets the usual ones, not the
    // temporary file's private ones.
    if (newPerms)
        fs::permissions(file.temporary, *newPerms, ec);
    else if (replacing)
        fs::permissions(file.temporary, fs::status(target, ec).permissions(), ec);
    else
        fs::permissions(file.temporary, newFilePermissions(), ec);
    return file;
}

Result<void> install(const PreparedFile& file)
{
    std::string reason;
    if (!renameOver(file.temporary, file.target, &reason)) {
        discard(file);
        return writeError(file.shownPath, reason);
    }
    return {};
}

Result<void> writeAtomic(const fs::path& path, ByteView bytes, std::optional<fs::perms> newPerms)
{
    auto prepared = prepare(path, bytes, newPerms);
    if (!prepared)
        return prepared.error();
    return install(prepared.value());
}

// The old content of a target a batch replaces: a second name for it, made before the rename, so the
// batch can put it back. It is named like a temporary, so an interrupted batch leaves nothing that a
// listing shows and the next write removes it.
struct Backup
{
    fs::path target;
    fs::path saved; // empty: the target did not exist before
};

Result<Backup> keepOldContent(const PreparedFile& file)
{
    std::error_code ec;
    if (!fs::exists(file.target, ec))
        return Backup{file.target, {}};
    const fs::path saved = file.temporary.string() + ".old";
    if (linkFile(file.target, saved))
        return Backup{file.target, saved};
    // A file system without hard links: a copy keeps the content just as well.
    if (!fs::copy_file(file.target, saved, fs::copy_options::overwrite_existing, ec))
        return writeError(file.shownPath, "cannot keep the old file while the others are written: " + ec.message());
    return Backup{file.target, saved};
}

void restore(const Backup& backup)
{
    std::error_code ec;
    std::string reason;
    if (backup.saved.empty())
        fs::remove(backup.target, ec);
    else
        renameOver(backup.saved, backup.target, &reason);
}

} // namespace

Result<void> writeFileAtomic(const fs::path& path, ByteView bytes)
{
    return writeAtomic(path, bytes, std::nullopt);
}

Result<void> writeFilesAtomic(std::span<const FileWrite> files)
{
    std::vector<PreparedFile> prepared;
    const auto discardAll = [&] {
        for (const auto& file : prepared)
            discard(file);
    };
    for (const auto& file : files) {
        auto written = prepare(file.path, file.bytes, file.perms);
        if (!written) {
            discardAll();
            return written.error();
        }
        prepared.push_back(std::move(written.value()));
    }

    std::vector<Backup> backups;
    const auto dropBackups = [&] {
        std::error_code ec;
        for (const auto& backup : backups)
            if (!backup.saved.empty())
                fs::remove(backup.saved, ec);
    };
    for (const auto& file : prepared) {
        auto backup = keepOldContent(file);
        if (!backup) {
            dropBackups();
            discardAll();
            return backup.error();
        }
        backups.push_back(std::move(backup.value()));
    }
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        if (auto installed = install(prepared[i]); !installed) {
            // Put back what was replaced so far, newest first; the rest were never touched.
            for (std::size_t j = i; j-- > 0;)
                restore(backups[j]);
            for (std::size_t j = i + 1; j < prepared.size(); ++j)
                discard(prepared[j]);
            dropBackups();
            return installed.error();
        }
    }
    dropBackups();
    return {};
}

bool isTemporaryFileName(std::string_view name)
{
    return name.size() > 1 && name[0] == '.' && name.find(TEMP_MARK) != std::string_view::npos;
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
        if (matchesPattern(name, pattern) && !isTemporaryFileName(name))
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
