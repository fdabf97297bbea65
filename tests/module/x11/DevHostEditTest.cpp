// The development host's edit command under the test's display: it opens the
// editor in a window of its own, pumps it and writes the promised screenshot.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "common/ChildProcess.h"
#include "common/Screenshots.h"

namespace trommik2 {
namespace {

namespace fs = std::filesystem;

TEST(DevHostEdit, QuitsAfterItsTimeWithAScreenshotOfTheWholeEditor) {
    // The module and its content tree in a folder of their own, so the host's
    // settings file does not land in the build folder.
    const fs::path folder = fs::temp_directory_path() / ("trommik2-devhost-edit-" + std::to_string(::getpid()));
    fs::remove_all(folder); // a leftover of a killed run whose process id came round again
    fs::create_directories(folder);
    fs::copy_file(TROMMIK2_MODULE_PATH, folder / "Trommik2.syn");
    fs::copy(TROMMIK2_CONTENT_TREE, folder / "Trommik2", fs::copy_options::recursive);
    const std::string shot = (folder / "shot.png").string();

    ChildProcess host({TROMMIK2_HOST_PATH, "--module", (folder / "Trommik2.syn").string(), "edit", "--screenshot", shot,
                       "--quit-after", "2"},
                      {std::string("LSAN_OPTIONS=suppressions=") + TROMMIK2_FONT_LEAKS}, (folder / "host").string());
    ASSERT_TRUE(host.started());
    EXPECT_EQ(host.wait(30), 0);
    cairo_surface_t* picture = cairo_image_surface_create_from_png(shot.c_str());
    ASSERT_EQ(cairo_surface_status(picture), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(picture), 916);
    EXPECT_EQ(cairo_image_surface_get_height(picture), 671);
    // The same editor as the module shows a host at start-up.
    cairo_surface_t* opaque = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 916, 671);
    cairo_t* cr = cairo_create(opaque);
    cairo_set_source_surface(cr, picture, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    compareWithReference(opaque, TROMMIK2_SCREENSHOT_FOLDER, "startup");
    cairo_surface_destroy(opaque);
    cairo_surface_destroy(picture);
    fs::remove_all(folder);
}

} // namespace
} // namespace trommik2
