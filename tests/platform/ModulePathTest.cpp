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

TEST(ModulePath, FileIsTheProgramHoldingTheCode) {
    std::filesystem::path program = std::filesystem::canonical("/proc/self/exe");
    std::filesystem::path file = trommik2::ModulePath::file();
    EXPECT_TRUE(file.is_absolute());
    EXPECT_EQ(std::filesystem::canonical(file), program);
    EXPECT_EQ(file.parent_path().string(), trommik2::ModulePath::folder());
}
