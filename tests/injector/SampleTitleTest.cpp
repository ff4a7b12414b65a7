// The bundled sample titles are exactly what their builder writes, so the demo and the tests agree on
// their layout.
#include <set>

#include <gtest/gtest.h>

#include "support/InjectorTitleBuilders.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> filesBelow(const fs::path& root)
{
    std::set<std::string> out;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            out.insert(fs::relative(entry.path(), root).generic_string());
    return out;
}

} // namespace

TEST(SampleTitle, BundledFilesMatchTheirBuilder)
{
    const fs::path bundled = STAVIK_SAMPLE_DIR;
    ASSERT_TRUE(fs::is_directory(bundled)) << bundled;
    test_support::TempFolder built;
    test_support::writeStavikSample(built.path());
    std::set<std::string> bundledFiles = filesBelow(bundled);
    bundledFiles.erase("README.md");
    ASSERT_EQ(bundledFiles, filesBelow(built.path()));
    for (const auto& name : bundledFiles)
        EXPECT_EQ(test_support::readAll(bundled / name), test_support::readAll(built / name)) << name;
}
