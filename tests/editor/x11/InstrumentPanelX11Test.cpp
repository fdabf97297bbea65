// The instrument panel under real input: knob drags, the assignment menu with
// its module picture, and files dropped by another program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include <X11/keysym.h>

#include "XRig.h"
#include "XdndSource.h"
#include "editor/FrameKnob.h"
#include "editor/InstrumentPanel.h"
#include "editor/TextMenu.h"
#include "support/FileSupport.h"

namespace fs = std::filesystem;

namespace trommik2 {
namespace {

using A = XTestDriver::Action;

// Messages stay with the rig's scripted dialogs, so no window waits for a click.
class PanelEditor : public EditorWindow {
  public:
    using EditorWindow::EditorWindow;

  protected:
    std::unique_ptr<Dialogs> openDialogs() override { return nullptr; }
};

class PanelX11Test : public XRigOf<PanelEditor> {
  protected:
    const KnobSlot& slot(int k) { return editor.instrument()->slot(k); }
    ViewPoint centreOf(const ViewRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
    // The editor's part of the screen and what lies below it (an open menu), taken on the driver's thread.
    static void shoot(const std::string& name, int height) {
        Display* display = XOpenDisplay(nullptr);
        cairo_surface_t* shot = screenshotOf(display, DefaultRootWindow(display), 0, 0, EditorWindow::kWidth, height);
        compareWithReference(shot, name);
        cairo_surface_destroy(shot);
        XCloseDisplay(display);
    }
};

TEST_F(PanelX11Test, KnobDragsLinearlyRestoresItsDefaultAndNamesItsParameter) {
    rig.machine.setParameter(FilterFreq, 0.2f);
    openEditor();
    ASSERT_EQ(editor.instrument()->parameterOf(2), FilterFreq);
    ViewPoint knob = onScreen(centreOf(slot(2).knob->rect()));
    std::vector<A> drag{{A::Move, knob.x, knob.y}, {A::Wait, 150}, {A::Press, 1}, {A::Wait, 80}};
    for (int dy = 10; dy <= 100; dy += 10)
        drag.insert(drag.end(), {{A::Move, knob.x, knob.y - dy}, {A::Wait, 30}});
    drag.insert(drag.end(), {{A::Wait, 100}, {A::Release, 1}, {A::Wait, 100}});
    play(drag);
    EXPECT_NEAR(rig.machine.getParameter(FilterFreq), 0.7f, 0.005f) << "a 200-pixel travel covers the range";
    play({{A::Move, knob.x, knob.y}, {A::Wait, 200}});
    EXPECT_EQ(editor.statusText(), "Filter corner frequency");
    play({{A::Press, 1},
          {A::Wait, 30},
          {A::Release, 1},
          {A::Wait, 40},
          {A::Press, 1},
          {A::Wait, 30},
          {A::Release, 1},
          {A::Wait, 100}});
    EXPECT_NEAR(rig.machine.getParameter(FilterFreq), slot(2).knob->defaultValue(), 1e-6f);
}

TEST_F(PanelX11Test, AssignmentMenuShowsTheModulePictureAndChoosingFilterResoAssignsIt) {
    openEditor();
    ViewPoint menu = onScreen(centreOf(slot(1).menu->rect()));
    std::vector<A> actions = XTestDriver::click(menu.x, menu.y);
    // The filter group is the fourth; its third parameter the resonance.
    for (KeySym key : {XK_Down, XK_Down, XK_Down, XK_Right, XK_Down, XK_Down, XK_Down})
        actions.insert(actions.end(), {{A::Key, static_cast<int>(key)}, {A::Wait, 120}});
    actions.push_back({A::Wait, 300});
    actions.push_back({A::Call, 0, 0, [] { shoot("editor-assignment-menu", 900); }});
    actions.insert(actions.end(), {{A::Key, XK_Return}, {A::Wait, 200}});
    play(actions);
    EXPECT_FALSE(editor.schematic()->shown()) << "the picture goes with the menu";
    EXPECT_EQ(editor.instrument()->parameterOf(1), FilterQ);
    EXPECT_EQ(slot(1).menu->text(), "Filter Reso");
    ViewPoint knob = onScreen(centreOf(slot(1).knob->rect()));
    play({{A::Move, knob.x, knob.y}, {A::Wait, 100}, {A::Press, 4}, {A::Release, 4}, {A::Wait, 150}});
    EXPECT_FLOAT_EQ(rig.machine.getParameter(FilterQ), slot(1).knob->value());
}

class DropX11Test : public PanelX11Test {
  protected:
    DropX11Test() {
        const fs::path root = rig.machine.contentFolders().root();
        fs::create_directories(root / "Trommik2/config");
        rig.machine.instrumentDocument().saveInstrumentFile(
            15, (root / "Trommik2/config/AutoImportTemplate.tm2ins").string());
        // Samples inside the sample folder are taken where they are, without asking.
        const fs::path folder = fs::path(rig.machine.contentFolders().folder(kContentSamples)) / "Drops";
        for (int i = 0; i < 5; ++i) {
            std::vector<int16_t> words(4000);
            for (size_t n = 0; n < words.size(); ++n)
                words[n] = static_cast<int16_t>(12000 * std::sin(0.05 * static_cast<double>(n)));
            samples.push_back((folder / ("Hit " + std::to_string(i) + ".wav")).string());
            writeFile(samples.back(), monoWave(words));
        }
    }
    // Drags the list from above onto track 14's name and drops it there; aimed at
    // the editor's own window or, as most file managers do, at the top-level one.
    XdndSource& dropOnTrack14(const std::string& uriList, bool atTopLevel = false) {
        source = std::make_unique<XdndSource>(uriList);
        ViewPoint name = onScreen({150, 174 + 20 * 14});
        const Window target = atTopLevel ? wrapper->id() : static_cast<Window>(editor.systemWindow());
        source->start(target, {{name.x, name.y - 60}, {name.x, name.y}});
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!source->done() && std::chrono::steady_clock::now() < deadline)
            pumpOnce();
        source->wait();
        pumpFor(100);
        return *source;
    }
    float loudestOfTrack(int track) {
        rig.machine.setParameter(kParamTriggerTrackFirst + track, 1.0f);
        float left[512], right[512], loudest = 0.0f;
        float* outputs[] = {left, right};
        for (int block = 0; block < 8; ++block) {
            rig.machine.processReplacing(nullptr, outputs, 512);
            for (float v : left)
                loudest = std::max(loudest, std::fabs(v));
        }
        return loudest;
    }

    std::vector<std::string> samples;
    std::unique_ptr<XdndSource> source;
};

TEST_F(DropX11Test, FiveWavFilesOnTrackFourteenBecomeItsAndFifteensInstrumentsAndAKit) {
    openEditor();
    std::string uris;
    for (const std::string& sample : samples)
        uris += "file://" + fs::path(sample).parent_path().string() + "/" +
                fs::path(sample).filename().string().replace(3, 1, "%20") + "\r\n";
    const std::string before13 = rig.machine.bank().track(13).samplePath;
    XdndSource& drop = dropOnTrack14(uris);
    EXPECT_TRUE(drop.accepted);
    EXPECT_EQ(drop.statusAction, "XdndActionCopy") << "never a move, whatever the source asks";
    EXPECT_TRUE(drop.finished);
    EXPECT_EQ(drop.finishedAction, "XdndActionCopy");
    EXPECT_TRUE(drop.answeredAsTarget);
    EXPECT_EQ(rig.machine.bank().track(14).samplePath, samples[0]);
    EXPECT_EQ(rig.machine.bank().track(15).samplePath, samples[1]);
    EXPECT_EQ(rig.machine.bank().track(13).samplePath, before13);
    EXPECT_GT(loudestOfTrack(14), 0.05f);
    EXPECT_TRUE(fs::exists(rig.machine.contentFolders().pathOf("Drops\\Hit 0.tm2ins", kContentInstruments)));
    EXPECT_TRUE(fs::exists(rig.machine.contentFolders().pathOf("Drops.tm2drk", kContentDrumkits)));
    for (const std::string& sample : samples)
        EXPECT_TRUE(fs::exists(sample));
}

TEST_F(DropX11Test, ATextFileChangesNothing) {
    openEditor();
    const std::string text = rig.folder.file("notes.txt");
    writeFile(text, "no sound here");
    const std::string state = rig.state();
    XdndSource& drop = dropOnTrack14("file://" + text + "\r\n", true);
    EXPECT_TRUE(drop.finished) << "through the top-level window's proxy";
    EXPECT_TRUE(drop.answeredAsTarget);
    EXPECT_EQ(rig.state(), state);
    EXPECT_EQ(rig.dialogs.messages().size(), 1u) << "the loader's message";
    EXPECT_TRUE(fs::exists(text));
}

} // namespace
} // namespace trommik2
