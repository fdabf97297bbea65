#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <platform/TempFile.h>

namespace {

std::string slurp(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(TempFile, CommitReplacesAndAbandonLeavesTheTargetAlone) {
    auto dir = std::filesystem::temp_directory_path() / ("tempfile-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    auto target = dir / "doc.txt";
    std::ofstream(target) << "old";
    {
        trommik2::TempFile temp(target.string());
        std::ofstream(temp.path()) << "half-written";
    }
    EXPECT_EQ(slurp(target), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary left behind";
    {
        trommik2::TempFile temp(target.string());
        std::ofstream(temp.path()) << "new";
        std::string error;
        EXPECT_TRUE(temp.commit(&error)) << error;
    }
    EXPECT_EQ(slurp(target), "new");
    std::filesystem::remove_all(dir);
}
