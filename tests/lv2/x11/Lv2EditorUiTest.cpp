#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

// The LV2 headers before Xlib's, whose Bool macro they would meet.
#include "lv2/Lv2TestHost.h"

#include <lv2/instance-access/instance-access.h>
#include <lv2/ui/ui.h>

#include <X11/Xlib.h>

#include "common/XTestDriver.h"

namespace trommik2::lv2 {
namespace {

// The user interface as a host with an X11 window of its own loads it: from
// the bundle's shared object, on the instance that instance-access hands
// over, driven by idle calls while an audio thread runs the plug-in.
class Lv2EditorUiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(display) << "no display";
        library = dlopen((std::string(TROMMIK2_LV2_BUNDLE) + "/" + kUiBinary).c_str(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_TRUE(library) << dlerror();
        auto entry = reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(dlsym(library, "lv2ui_descriptor"));
        ASSERT_TRUE(entry);
        descriptor = entry(0);
        ASSERT_TRUE(descriptor);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 916, 671, 0, 0, 0);
        XMapWindow(display, parent);
        XSync(display, False);
    }
    void TearDown() override {
        if (library)
            dlclose(library);
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }

    LV2UI_Handle instantiate(void* instanceHandle) {
        LV2_Feature parentFeature{LV2_UI__parent, reinterpret_cast<void*>(parent)};
        LV2_Feature access{LV2_INSTANCE_ACCESS_URI, instanceHandle};
        LV2_Feature resizeFeature{LV2_UI__resize, &resize};
        const LV2_Feature* features[] = {&parentFeature, &resizeFeature, instanceHandle ? &access : nullptr, nullptr};
        return descriptor->instantiate(descriptor, kPluginUri, TROMMIK2_LV2_BUNDLE, nullptr, nullptr, &widget,
                                       features);
    }
    // Idle calls every 10 ms, as hosts make them.
    void idleFor(LV2UI_Handle ui, int milliseconds) {
        const auto* idle = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            EXPECT_EQ(idle->idle(ui), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    Display* display = XOpenDisplay(nullptr);
    Window parent = 0;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    LV2UI_Widget widget = nullptr;
    std::vector<int> heights;
    LV2UI_Resize resize{this, [](LV2UI_Feature_Handle self, int width, int height) {
                            EXPECT_EQ(width, 916);
                            static_cast<Lv2EditorUiTest*>(self)->heights.push_back(height);
                            return 0;
                        }};
};

TEST_F(Lv2EditorUiTest, OpensInTheHostsWindowAndResizesToTheEditorsHeights) {
    Lv2TestHost host;
    Lv2TestInstance instance(host);
    ASSERT_TRUE(instance.valid());
    // The audio thread plays the groove and notes all along.
    std::atomic<bool> running{true};
    std::thread audio([&] {
        instance.transport(0, 1.0f, 120.0f);
        for (int block = 0; running; ++block) {
            if (block % 50 == 0)
                instance.note(7, 38, 100);
            instance.render(256, 256);
            instance.clearOutputs();
        }
    });

    LV2UI_Handle ui = instantiate(&instance.plugin());
    ASSERT_TRUE(ui);
    ASSERT_TRUE(widget);
    Window root = 0, parentOfEditor = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, reinterpret_cast<Window>(widget), &root, &parentOfEditor, &children, &count);
    XFree(children);
    EXPECT_EQ(parentOfEditor, parent);
    ASSERT_FALSE(heights.empty());
    const int first = heights.back();
    EXPECT_TRUE(first == 671 || first == 72) << first;
    idleFor(ui, 300);

    // The editor's own mode button switches between the full editor and the strip.
    XTestDriver driver;
    for (int expected : {first == 671 ? 72 : 671, first}) {
        driver.play(XTestDriver::click(60, 57));
        while (!driver.done())
            idleFor(ui, 20);
        driver.wait();
        idleFor(ui, 200);
        EXPECT_EQ(heights.back(), expected);
    }
    descriptor->cleanup(ui);
    running = false;
    audio.join();
}

TEST_F(Lv2EditorUiTest, HostsWithoutInstanceAccessGetNoEditor) { EXPECT_EQ(instantiate(nullptr), nullptr); }

} // namespace
} // namespace trommik2::lv2
