#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "common/ChildProcess.h"
#include "common/JackServer.h"
#include "lv2/PortLayout.h"

namespace trommik2::lv2 {
namespace {

namespace fs = std::filesystem;

// jalv, a real host, loads the bundle and plays through a JACK server of the
// test's own for a few seconds.
TEST(JalvTest, RunsTheInstrumentOnAJackServer) {
#ifdef TROMMIK2_SANITIZED
    GTEST_SKIP() << "jalv cannot load a sanitised plug-in";
#endif
    const fs::path folder = fs::temp_directory_path() / ("trommik2-jalv-" + std::to_string(getpid()));
    fs::remove_all(folder); // a leftover of a killed run whose process id came round again
    fs::create_directories(folder);
    {
        JackServer server(folder.string(), 44100, 256, 60);
        ASSERT_TRUE(server.ready());
        const std::string lv2Path = "LV2_PATH=" + fs::path(TROMMIK2_LV2_BUNDLE).parent_path().string();
        const std::string name = "trommik2-lv2-" + std::to_string(getpid());
        // jalv reads commands from its input and ends with it: an input that stays open.
        const std::string command = "exec jalv -x -n " + name + " " + kPluginUri + " < <(sleep 60)";
        ChildProcess jalv({"timeout", "30", "bash", "-c", command}, {server.setting(), lv2Path},
                          (folder / "jalv").string());
        std::string ports;
        // The last port jalv registers.
        for (int i = 0; i < 100 && ports.find(name + ":track16_right") == std::string::npos; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            ChildProcess list({"jack_lsp"}, {server.setting()}, (folder / "lsp").string());
            list.wait(10.0);
            ports = list.output();
        }
        EXPECT_NE(ports.find(name + ":track16_right"), std::string::npos) << ports << jalv.errors();
        EXPECT_NE(ports.find(name + ":out_left"), std::string::npos);
        EXPECT_NE(ports.find(name + ":events"), std::string::npos);
        std::this_thread::sleep_for(std::chrono::seconds(3));
        EXPECT_TRUE(jalv.running()) << jalv.output() << jalv.errors();
        jalv.stop();
        EXPECT_EQ(jalv.errors().find("rror"), std::string::npos) << jalv.errors();
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace trommik2::lv2
