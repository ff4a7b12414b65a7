#include "TempFolder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>

#include <unistd.h>

namespace test_support {

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("suite-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        if (std::filesystem::create_directory(m_path))
            break;
    }
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    // Read-only folders made by tests must not survive them.
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(m_path, ec);
}

std::filesystem::path TempFolder::write(const std::string& relative, const platform::Bytes& bytes) const
{
    const auto p = m_path / relative;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return p;
}

std::filesystem::path TempFolder::write(const std::string& relative, const std::string& text) const
{
    return write(relative, platform::Bytes(text.begin(), text.end()));
}

std::vector<std::string> namesIn(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

platform::Bytes readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return platform::Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::filesystem::path realDataFolder(const std::string& sub)
{
#ifdef SUITE_REALDATA_DIR
    const auto p = std::filesystem::path(SUITE_REALDATA_DIR) / sub;
    std::error_code ec;
    if (std::filesystem::is_directory(p, ec))
        return p;
#endif
    return {};
}

} // namespace test_support
