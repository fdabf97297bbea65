#include <gtest/gtest.h>
#include <unistd.h>

#include <trommik2/control_ids.h>
#include <trommik2/effect_record.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "apps/standalone/SessionStore.h"

namespace fs = std::filesystem;

namespace {

void setOrUnset(const char* name, const char* value) {
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

TEST(SessionStore, TheFileLivesInTheUsersDataFolder) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"/data", "/home/u", "/data/trommik2/session.tm2set"},
        {nullptr, "/home/u", "/home/u/.local/share/trommik2/session.tm2set"},
        {"relative/data", "/home/u", "/home/u/.local/share/trommik2/session.tm2set"},
        {"", "/home/u", "/home/u/.local/share/trommik2/session.tm2set"},
        {nullptr, nullptr, ""},
    };
    for (const Case& c : cases) {
        setOrUnset("XDG_DATA_HOME", c.xdg);
        setOrUnset("HOME", c.home);
        EXPECT_EQ(SessionStore::defaultPath(), c.path);
    }
}

class SessionStoreTest : public testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("trommik2-session-" + std::to_string(getpid()));
        fs::remove_all(folder_);
        std::string error;
        ASSERT_TRUE(module_.load(TROMMIK2_MODULE_PATH, &error)) << error;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::unique_ptr<HostInstance> openInstance() {
        auto instance = std::make_unique<HostInstance>(module_.entry(), 44100, 120.0f);
        EXPECT_TRUE(instance->open());
        return instance;
    }
    static std::string state(HostInstance& instance) {
        std::string text;
        EXPECT_TRUE(instance.saveStateText(&text));
        return text;
    }

    fs::path folder_;
    ModuleLoader module_;
};

TEST_F(SessionStoreTest, ASavedSessionRestoresTheState) {
    const SessionStore store((folder_ / "new" / "session.tm2set").string());
    auto first = openInstance();
    auto* effect = static_cast<AEffect*>(first->context().plugin);
    ASSERT_NE(effect, nullptr);
    std::string error;
    EXPECT_FALSE(store.restore(*first, &error)) << "nothing saved yet";
    EXPECT_TRUE(error.empty());
    // Mute track 3, so that the state differs from a fresh instance's.
    effect->setParameter(effect, kParamMuteFirst + 3, 1.0f);
    ASSERT_TRUE(store.save(*first, &error)) << error;
    auto second = openInstance();
    EXPECT_NE(state(*second), state(*first));
    ASSERT_TRUE(store.restore(*second, &error)) << error;
    EXPECT_EQ(state(*second), state(*first));
}

TEST_F(SessionStoreTest, AnUnreadableSessionIsKeptAsideAndChangesNothing) {
    fs::create_directories(folder_);
    const std::string path = (folder_ / "session.tm2set").string();
    std::ofstream(path) << "<preset><broken";
    auto instance = openInstance();
    const std::string before = state(*instance);
    std::string error;
    EXPECT_FALSE(SessionStore(path).restore(*instance, &error));
    EXPECT_NE(error.find("could not be restored"), std::string::npos) << error;
    EXPECT_EQ(state(*instance), before);
    EXPECT_TRUE(fs::exists(path + ".unreadable"));
    EXPECT_FALSE(fs::exists(path));
}

} // namespace
