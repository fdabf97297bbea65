// The step grid's play cursor in the development host's editor, with the
// host's real-time transport: input through XTEST, pictures from the server.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <thread>

#include <X11/keysym.h>

#include "EditorHost.h"
#include "common/ChildProcess.h"
#include "common/Screenshots.h"

namespace trommik2 {
namespace {

namespace fs = std::filesystem;
using Area = std::array<int, 4>; // left, top, right, bottom in the editor

constexpr Area kGrid{241, 164, 881, 484};

// The fixture's search for top-level windows, for a process of another host.
struct TopLevels : EditorHost {
    using EditorHost::topLevelsOn;
};

bool inside(const Area& a, int x, int y) { return x >= a[0] && x < a[2] && y >= a[1] && y < a[3]; }

uint32_t pixel(cairo_surface_t* shot, int x, int y) {
    const unsigned char* row = cairo_image_surface_get_data(shot) + y * cairo_image_surface_get_stride(shot);
    return reinterpret_cast<const uint32_t*>(row)[x] & 0xffffff;
}

// Pixels that differ between two pictures of the editor: outside the areas, and inside the first area.
std::pair<int, int> changes(cairo_surface_t* a, cairo_surface_t* b, const std::vector<Area>& areas) {
    cairo_surface_flush(a);
    cairo_surface_flush(b);
    int outside = 0, first = 0;
    for (int y = 0; y < 671; ++y)
        for (int x = 0; x < 916; ++x) {
            if (pixel(a, x, y) == pixel(b, x, y))
                continue;
            bool in = false;
            for (const Area& area : areas)
                in = in || inside(area, x, y);
            outside += !in;
            first += inside(areas.front(), x, y);
        }
    return {outside, first};
}

// Pixels of the grid in the play cursor's light colour (no cell has it).
int cursorPixels(cairo_surface_t* shot) {
    cairo_surface_flush(shot);
    int found = 0;
    for (int y = kGrid[1]; y < kGrid[3]; ++y)
        for (int x = kGrid[0]; x < kGrid[2]; ++x) {
            const uint32_t p = pixel(shot, x, y);
            found += (p >> 16) > 200 && ((p >> 8) & 0xff) > 200 && (p & 0xff) > 185;
        }
    return found;
}

TEST(DevHostPlayCursor, WhilePlayingOnlyTheCursorAndTheLampsMoveAndStoppedThereIsNone) {
    const fs::path folder = fs::temp_directory_path() / ("trommik2-devhost-cursor-" + std::to_string(::getpid()));
    fs::remove_all(folder); // a leftover of a killed run whose process id came round again
    fs::create_directories(folder);
    fs::copy_file(TROMMIK2_MODULE_PATH, folder / "Trommik2.syn");
    fs::copy(TROMMIK2_CONTENT_TREE, folder / "Trommik2", fs::copy_options::recursive);
    // The default setup: four bars at 120 BPM, all shown.
    ChildProcess host({TROMMIK2_HOST_PATH, "--module", (folder / "Trommik2.syn").string(), "edit", "--quit-after", "8"},
                      {std::string("LSAN_OPTIONS=suppressions=") + TROMMIK2_FONT_LEAKS}, (folder / "host").string());
    ASSERT_TRUE(host.started());
    Display* display = XOpenDisplay(nullptr);
    ASSERT_TRUE(display);
    std::vector<Window> wrappers;
    for (int i = 0; i < 200 && wrappers.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        wrappers = TopLevels::topLevelsOn(display, "ZK_WRAPPER");
    }
    ASSERT_EQ(wrappers.size(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, wrappers[0], DefaultRootWindow(display), 0, 0, &x, &y, &child);
    XTestDriver driver;
    driver.play(XTestDriver::click(x + 746, y + 34)); // play; the mouse rests on the button
    driver.wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    cairo_surface_t* first = screenshotOf(display, wrappers[0]);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    cairo_surface_t* second = screenshotOf(display, wrappers[0]);
    driver.play({{XTestDriver::Action::Key, XK_space}}); // stop
    driver.wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    cairo_surface_t* stopped = screenshotOf(display, wrappers[0]);

    // The grid, the play button, the bar lamps and the level meters.
    const auto [outside, inGrid] =
        changes(first, second, {kGrid, {719, 8, 773, 61}, {309, 83, 455, 94}, {304, 8, 317, 32}});
    EXPECT_EQ(outside, 0) << "nothing else changes";
    // 500 ms are a sixteenth of the four bars: 40 of 640 pixels.
    EXPECT_GT(inGrid, 2 * 320) << "the cursor left one place and came to another";
    EXPECT_LT(inGrid, 4 * 2 * 320) << "and nothing else of the grid changed";
    EXPECT_GT(cursorPixels(second), 320);
    EXPECT_EQ(cursorPixels(stopped), 0) << "stopped, there is no cursor";
    cairo_surface_destroy(first);
    cairo_surface_destroy(second);
    cairo_surface_destroy(stopped);
    XCloseDisplay(display);
    EXPECT_EQ(host.wait(30), 0);
    fs::remove_all(folder);
}

} // namespace
} // namespace trommik2
