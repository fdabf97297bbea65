#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include "common/XTestDriver.h"
#include "platform/x11/X11ErrorTrap.h"
#include "platform/x11/X11Window.h"

namespace trommik2 {
namespace {

// A window of another client, as a host's window is to the module.
class ForeignWindow {
  public:
    ForeignWindow() : display_(XOpenDisplay(nullptr)) {
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 40, 40, 400, 300, 0, 0, 0);
        XMapWindow(display_, window_);
        XSync(display_, False);
    }
    ~ForeignWindow() {
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }
    Display* display() const { return display_; }
    Window id() const { return window_; }

  private:
    Display* display_;
    Window window_;
};

X11WindowListener quiet;

TEST(X11LayerTest, TopLevelWindowCarriesItsNamesParentAndNoDecoration) {
    ForeignWindow host;
    auto window = X11Window::openTopLevel({host.id(), 10, 20, 300, 200, "ZK_WRAPPER", "ZelkVstWrapper"}, &quiet);
    ASSERT_TRUE(window);
    XSync(window->display(), False);
    Display* d = host.display();
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(d, window->id(), &name));
    EXPECT_STREQ(name, "ZK_WRAPPER");
    XFree(name);
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(d, window->id(), &hint));
    EXPECT_STREQ(hint.res_class, "ZelkVstWrapper");
    XFree(hint.res_name);
    XFree(hint.res_class);
    Window transientFor = 0;
    ASSERT_TRUE(XGetTransientForHint(d, window->id(), &transientFor));
    EXPECT_EQ(transientFor, host.id());

    Atom motif = XInternAtom(d, "_MOTIF_WM_HINTS", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    ASSERT_EQ(XGetWindowProperty(d, window->id(), motif, 0, 5, False, motif, &type, &format, &count, &remaining, &data),
              Success);
    ASSERT_EQ(count, 5u);
    auto* hints = reinterpret_cast<long*>(data);
    EXPECT_EQ(hints[0] & 2, 2) << "the decorations field counts";
    EXPECT_EQ(hints[2], 0) << "and asks for none";
    XFree(data);

    int x = 0, y = 0;
    ASSERT_TRUE(window->screenPosition(&x, &y));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
}

TEST(X11LayerTest, ChildOfAForeignWindowOrAFailedOpenForABadId) {
    ForeignWindow host;
    auto child = X11Window::openChild(host.id(), 100, 50, &quiet);
    ASSERT_TRUE(child);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    ASSERT_TRUE(XQueryTree(host.display(), child->id(), &root, &parent, &children, &count));
    EXPECT_EQ(parent, host.id());

    // Ids a confused host might pass: none of them ends the process.
    for (Window bad : {Window(0x7ffffff), child->id() + 0x100000, Window(1)}) {
        EXPECT_FALSE(X11Window::openChild(bad, 100, 50, &quiet)) << bad;
    }
    EXPECT_TRUE(X11Connection::display()) << "the good window keeps the connection";
    child.reset();
    EXPECT_FALSE(X11Connection::display()) << "closed with the last window";
}

TEST(X11LayerTest, ErrorTrapsNestAndReportOnlyTheirOwnErrors) {
    Display* d = X11Connection::acquire();
    ASSERT_TRUE(d);
    {
        X11ErrorTrap outer(d);
        {
            X11ErrorTrap inner(d);
            XMapWindow(d, 0x7ffffff);
            EXPECT_TRUE(inner.failed());
        }
        EXPECT_TRUE(outer.failed()) << "the inner error happened inside the outer trap too";
    }
    {
        X11ErrorTrap clean(d);
        XSync(d, False);
        EXPECT_FALSE(clean.failed());
    }
    X11Connection::release();
}

TEST(X11LayerTest, NoDisplayMeansNoWindow) {
    std::string display = std::getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_FALSE(X11Connection::acquire());
    EXPECT_FALSE(X11Window::openChild(1, 10, 10, &quiet));
    setenv("DISPLAY", display.c_str(), 1);
    X11Rect screen;
    {
        auto window = X11Window::openTopLevel({0, 0, 0, 10, 10, "t", "t"}, &quiet);
        ASSERT_TRUE(window);
        screen = X11Connection::screenBounds();
    }
    EXPECT_EQ(screen.width, 1280);
    EXPECT_EQ(screen.height, 1024);
}

TEST(X11LayerTest, KeysTranslateToKeysymsWithTheKeypadAsDigits) {
    Display* d = X11Connection::acquire();
    ASSERT_TRUE(d);
    struct Case {
        KeySym pressed;
        unsigned int state;
        unsigned long keysym;
        uint32_t character;
        int modifiers;
    };
    const Case cases[] = {
        {XK_KP_1, 0, XK_KP_1, '1', 0},        // Num Lock off: the navigation level
        {XK_KP_1, Mod2Mask, XK_KP_1, '1', 0}, // Num Lock on
        {XK_KP_0, 0, XK_KP_0, '0', 0},
        {XK_KP_Decimal, 0, XK_KP_Decimal, '.', 0},
        {XK_KP_Add, 0, XK_KP_Add, '+', 0},
        {XK_KP_Subtract, ControlMask, XK_KP_Subtract, '-', kModControl},
        {XK_e, 0, XK_e, 'e', 0},
        {XK_e, ShiftMask, XK_E, 'E', kModShift},
        {XK_space, 0, XK_space, ' ', 0},
        {XK_Up, 0, XK_Up, 0, 0},
        {XK_F1, Mod1Mask, XK_F1, 0, kModAlt},
        {XK_Return, 0, XK_Return, 0, 0},
    };
    for (const Case& c : cases) {
        XKeyEvent event{};
        event.type = KeyPress;
        event.display = d;
        event.keycode = XKeysymToKeycode(d, c.pressed);
        event.state = c.state;
        X11KeyEvent key = X11Input::key(event);
        EXPECT_EQ(key.keysym, c.keysym) << XKeysymToString(c.pressed) << " state " << c.state;
        EXPECT_EQ(key.character, c.character) << XKeysymToString(c.pressed);
        EXPECT_EQ(key.modifiers, c.modifiers) << XKeysymToString(c.pressed);
    }
    X11Connection::release();
}

TEST(X11LayerTest, ButtonsAndModifiersTranslateToTheToolkitBits) {
    const std::pair<unsigned int, int> states[] = {{Button1Mask, kMouseLeft},
                                                   {Button2Mask, kMouseMiddle},
                                                   {Button3Mask, kMouseRight},
                                                   {ShiftMask | ControlMask, kModShift | kModControl},
                                                   {Mod1Mask | Button1Mask, kModAlt | kMouseLeft},
                                                   {Mod2Mask | LockMask, 0}};
    for (auto [state, bits] : states)
        EXPECT_EQ(X11Input::stateBits(state), bits) << state;
    XButtonEvent press{};
    press.button = Button3;
    press.state = Button1Mask | ShiftMask;
    EXPECT_EQ(X11Input::pointer(press).buttons, kMouseRight | kModShift) << "the pressed button, not the held ones";
    EXPECT_EQ(X11Input::wheelDistance(Button4), 1);
    EXPECT_EQ(X11Input::wheelDistance(Button5), -1);
    EXPECT_EQ(X11Input::wheelDistance(Button1), 0);
}

TEST(X11LayerTest, WithoutWindowManagerTheDragFollowsThePointer) {
    auto window = X11Window::openTopLevel({0, 100, 100, 200, 100, "drag", "drag"}, &quiet);
    ASSERT_TRUE(window);
    XTestDriver driver;
    ASSERT_TRUE(driver.ready());
    using A = XTestDriver::Action;
    driver.play({{A::Move, 150, 150},
                 {A::Wait, 50},
                 {A::Press, 1},
                 {A::Wait, 150},
                 {A::Move, 170, 160},
                 {A::Wait, 50},
                 {A::Move, 210, 190},
                 {A::Wait, 100},
                 {A::Release, 1}});
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!(window->pointerState().buttons & kMouseLeft) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    X11PointerEvent press{50, 50, 150, 150, kMouseLeft};
    window->dragTopLevel(press);
    driver.wait();
    int x = 0, y = 0;
    ASSERT_TRUE(window->screenPosition(&x, &y));
    EXPECT_EQ(x, 160);
    EXPECT_EQ(y, 140);
}

TEST(X11LayerTest, AWindowManagerThatOffersTheMoveIsAskedToDoIt) {
    auto window = X11Window::openTopLevel({0, 100, 100, 200, 100, "drag", "drag"}, &quiet);
    ASSERT_TRUE(window);
    XSync(window->display(), False);
    // The test plays the window manager: it announces the move and takes the requests.
    ForeignWindow manager;
    Display* d = manager.display();
    Window root = DefaultRootWindow(d);
    Atom moveResize = XInternAtom(d, "_NET_WM_MOVERESIZE", False);
    Atom supported = XInternAtom(d, "_NET_SUPPORTED", False);
    XChangeProperty(d, root, supported, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&moveResize), 1);
    XSelectInput(d, root, SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(d, False);

    window->dragTopLevel({50, 40, 150, 140, kMouseLeft});
    XEvent event{};
    bool asked = false;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!asked && std::chrono::steady_clock::now() < deadline) {
        while (!asked && XPending(d)) {
            XNextEvent(d, &event);
            asked = event.type == ClientMessage && event.xclient.message_type == moveResize;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XSelectInput(d, root, 0);
    XDeleteProperty(d, root, supported);
    XSync(d, False);
    ASSERT_TRUE(asked);
    EXPECT_EQ(event.xclient.window, window->id());
    const long expected[] = {150, 140, 8, 1, 1}; // root position, move, left button, from an application
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(event.xclient.data.l[i], expected[i]) << i;
}

} // namespace
} // namespace trommik2
