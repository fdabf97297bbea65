#include <gtest/gtest.h>

#include <filesystem>

#include <platform/ModulePath.h>

TEST(ModulePath, IsTheFolderOfTheFileThatHoldsTheCode) {
    // Linked statically here, the code lives in this test program.
    std::filesystem::path program = std::filesystem::canonical("/proc/self/exe");
    std::filesystem::path folder = trommik2::ModulePath::folder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_EQ(std::filesystem::canonical(folder), program.parent_path());
}
