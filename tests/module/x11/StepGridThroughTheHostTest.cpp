// The step grid's and the automation lane's acceptance checks through the
// entry point: real input through XTEST under the test's own display, the
// host's transport playing while the editor asks for it.
#include <X11/keysym.h>

#include <cmath>

#include <trommik2/control_ids.h>

#include "EditorHost.h"
#include "common/SignalAnalysis.h"

namespace trommik2 {
namespace {

namespace fs = std::filesystem;

constexpr int kGridLeft = 241, kGridTop = 164;
constexpr int kLaneTop = 489, kLaneBottom = 545;
constexpr int kSamplesPerBar = 88200; // 120 BPM at 44.1 kHz
constexpr int kFilterFreq = 46, kFilterType = 45, kSynthesisType = 0;

class GridHost : public EditorHost {
  protected:
    GridHost() {
        installContent();
        openEditor();
        clickAt(526, 140);          // clear the whole pattern
        typeKeys({{A::Key, XK_1}}); // one bar, 16 steps
    }
    std::string state() { return saveText(module.entry, context); }
    // The middle of a cell at 16 steps per bar.
    std::pair<int, int> cell(int column, int track) {
        return {kGridLeft + 40 * column + 20, kGridTop + 20 * track + 10};
    }
    // A step's velocity in a setup or pattern text (two hex digits per step).
    static int velocityIn(const std::string& text, int track, int step) {
        size_t at = text.find("<track number=\"" + std::to_string(track) + "\"");
        at = text.find("<velocity>", at);
        if (at == std::string::npos)
            return -1;
        return std::stoi(text.substr(at + 10 + 2 * static_cast<size_t>(step), 2), nullptr, 16);
    }
    // The automation text of a parameter on a track, empty for none.
    static std::string automationIn(const std::string& text, int track, const std::string& key) {
        const size_t from = text.find("<track number=\"" + std::to_string(track) + "\"");
        const size_t to = text.find("</track>", from);
        const size_t at = text.find("<automation id=\"" + key + "\"", from);
        if (at == std::string::npos || at > to)
            return {};
        const size_t start = text.find('>', at) + 1;
        return text.substr(start, text.find('<', start) - start);
    }
    void withShift(std::vector<A> actions) {
        actions.insert(actions.begin(), {{A::Hold, XK_Shift_L}, {A::Wait, 60}});
        actions.insert(actions.end(), {{A::Let, XK_Shift_L}, {A::Wait, 60}});
        play(actions);
    }
    // A press at the first point, moves through the others, release at the last.
    std::vector<A> dragActions(std::vector<std::pair<int, int>> points, int button = 1) {
        std::vector<A> actions;
        auto [x0, y0] = onScreen(points.front().first, points.front().second);
        actions.insert(actions.end(), {{A::Move, x0, y0}, {A::Wait, 80}, {A::Press, button}});
        for (auto [x, y] : points) {
            auto [sx, sy] = onScreen(x, y);
            actions.insert(actions.end(), {{A::Wait, 80}, {A::Move, sx, sy}});
        }
        actions.insert(actions.end(), {{A::Wait, 120}, {A::Release, button}, {A::Wait, 80}});
        return actions;
    }
};

TEST_F(GridHost, AClickSetsAHitTheSavedStateShowsAndASecondClickClearsIt) {
    clickAt(241 + 40 * 4 + 5, 164 + 20 * 2 + 5);
    EXPECT_EQ(velocityIn(state(), 2, 8), 127);
    clickAt(241 + 40 * 4 + 5, 164 + 20 * 2 + 5);
    EXPECT_EQ(velocityIn(state(), 2, 8), 0);
}

TEST_F(GridHost, ASelectionDraggedTwoColumnsRightIsCopiedAndARightClickInsideClearsIt) {
    for (auto [column, track] : {std::pair{0, 5}, std::pair{1, 6}})
        clickAt(cell(column, track).first, cell(column, track).second);
    auto [ax, ay] = cell(0, 5);
    auto [bx, by] = cell(1, 6);
    withShift(dragActions({{ax, ay}, {bx, by}}));
    // Shift still held at the release: the selection goes along with the copy.
    auto [cx, cy] = cell(2, 5);
    auto [dx, dy] = cell(3, 6);
    withShift(dragActions({{ax, ay}, {(ax + cx) / 2, ay}, {cx, cy}}));
    std::string text = state();
    for (int step : {0, 4})
        EXPECT_EQ(velocityIn(text, 5, step), 127) << "step " << step;
    for (int step : {2, 6})
        EXPECT_EQ(velocityIn(text, 6, step), 127) << "step " << step;
    auto right = onScreen(dx, dy);
    play(XTestDriver::click(right.first, right.second, 3));
    text = state();
    EXPECT_EQ(velocityIn(text, 5, 0), 127) << "the source stays";
    EXPECT_EQ(velocityIn(text, 6, 2), 127) << "the source stays";
    EXPECT_EQ(velocityIn(text, 5, 4), 0);
    EXPECT_EQ(velocityIn(text, 6, 6), 0);
}

// The brightness of each sixteenth's hit: how much the signal moves from
// sample to sample against how large it is (a low-pass lowers it).
std::vector<double> brightness(const std::vector<float>& x) {
    std::vector<double> found;
    for (int step = 1; step < 16; ++step) {
        const size_t start = static_cast<size_t>(step * kSamplesPerBar / 16);
        double moves = 0, size = 1e-12;
        for (size_t i = start + 1; i < start + 2000 && i < x.size(); ++i) {
            moves += std::fabs(x[i] - x[i - 1]);
            size += std::fabs(x[i]);
        }
        found.push_back(moves / size);
    }
    return found;
}

double mean(const std::vector<double>& v, size_t from, size_t to) {
    double sum = 0;
    for (size_t i = from; i < to; ++i)
        sum += v[i];
    return sum / static_cast<double>(to - from);
}

TEST_F(GridHost, ARampOfTheFilterFrequencyIsHeardAndSurvivesAPatternSaveAndLoad) {
    // Track 3 plays bright noise through a low-pass whose frequency its knob slot 0 automates.
    std::string text = state();
    size_t at = 0;
    for (int t = 0; t <= 3; ++t)
        at = text.find("<instrument ", at + 1);
    at = text.find("<ctrl idx=\"0\" param=\"", at) + 21;
    text.replace(at, text.find('"', at) - at, "FilterFreq");
    ASSERT_EQ(loadText(module.entry, context, text), 1);
    idle(200);
    clickAt(150, kGridTop + 3 * 20 + 10); // select track 3
    effect()->setParameter(effect(), kSynthesisType, 0.0f);
    effect()->setParameter(effect(), kFilterType, 1.0f / 3.0f);
    for (int p : {2, 7})
        effect()->setParameter(effect(), p, 1.0f);
    effect()->setParameter(effect(), kParamSoloFirst + 3, 1.0f);
    play(dragActions({cell(0, 3), cell(15, 3)}));
    clickAt(194, 488 + 48); // parameter mode
    // The ramp, from low on the left to the top on the right, in one move.
    play(dragActions({{kGridLeft + 10, kLaneBottom - 11}, {kGridLeft + 630, kLaneTop + 1}}));
    const std::string drawn = automationIn(state(), 3, "FilterFreq");
    ASSERT_EQ(drawn.size(), 512u);

    const std::vector<double> heard = brightness(renderLeft(module.entry, context, kSamplesPerBar));
    EXPECT_GT(mean(heard, 11, 15), 1.3 * mean(heard, 0, 4)) << "the last hits are brighter than the first";

    // Saved as a pattern of its own, the pattern cleared, then that pattern loaded into the state.
    play(saveAs(264, 140, {{A::Key, XK_r}, {A::Key, XK_a}, {A::Key, XK_m}, {A::Key, XK_p}}));
    fs::path saved;
    for (const auto& entry : fs::recursive_directory_iterator(module.folder() / "Trommik2" / "Patterns"))
        if (entry.path().filename() == "ramp.tm2pat")
            saved = entry.path();
    ASSERT_FALSE(saved.empty());
    std::ifstream in(saved);
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    clickAt(526, 140);
    ASSERT_TRUE(automationIn(state(), 3, "FilterFreq").empty());
    text = state();
    const size_t from = text.find("<pattern "), to = text.find("</pattern>") + 10;
    const size_t fileFrom = file.find("<pattern "), fileTo = file.find("</pattern>") + 10;
    text.replace(from, to - from, file.substr(fileFrom, fileTo - fileFrom));
    ASSERT_EQ(loadText(module.entry, context, text), 1);
    idle(200);
    EXPECT_EQ(automationIn(state(), 3, "FilterFreq"), drawn);
    // The document keeps values to 16 bits: the same ramp, within a hair.
    const std::vector<double> reloaded = brightness(renderLeft(module.entry, context, kSamplesPerBar));
    for (size_t i = 0; i < heard.size(); ++i)
        EXPECT_NEAR(reloaded[i], heard[i], 0.01 * heard[i]) << "hit " << i + 1;
}

} // namespace
} // namespace trommik2
