// The standalone instrument end to end: `trommik2` against a JACK server of
// the test's own (dummy backend), its recording, session, MIDI and failures.
#include <gtest/gtest.h>
#include <sndfile.h>
#include <tinyxml.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "common/ChildProcess.h"
#include "common/JackServer.h"
#include "common/SignalAnalysis.h"

namespace fs = std::filesystem;

namespace {

constexpr int kRate = 44100;
constexpr double kTempo = 120.0;

struct AppRun {
    int status = -1;
    std::string out;
    std::string err;
    long xruns() const {
        std::smatch m;
        return std::regex_search(out, m, std::regex("(\\d+) xruns")) ? std::stol(m[1]) : -1;
    }
};

// The left channel of a WAV file.
std::vector<float> leftChannel(const std::string& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> frames(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, frames.data(), info.frames);
    sf_close(file);
    std::vector<float> left;
    for (size_t i = 0; i < frames.size(); i += static_cast<size_t>(info.channels))
        left.push_back(frames[i]);
    return left;
}

std::string fileText(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class StandaloneAppTest : public testing::Test {
  protected:
    void SetUp() override {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        folder_ = fs::temp_directory_path() / ("trommik2-app-" + std::to_string(getpid()) + "-" + test->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    AppRun run(std::vector<std::string> args, const std::string& server, double seconds = 60.0) {
        args.insert(args.begin(), TROMMIK2_APP_PATH);
        // No display: the editor has tests of its own.
        ChildProcess app(
            args, {server, "HOME=" + (folder_ / "home").string(), "XDG_DATA_HOME=" + data().string(), "DISPLAY="},
            (folder_ / "app").string());
        AppRun result;
        result.status = app.wait(seconds);
        result.out = app.output();
        result.err = app.errors();
        return result;
    }

    // A run that the machine disturbed (another process took the processor
    // when a buffer was due) is run again, a few times at most.
    AppRun runWithoutXruns(const std::vector<std::string>& args, const JackServer& server) {
        AppRun result = run(args, server.setting());
        for (int attempt = 1; attempt < 4 && result.xruns() != 0; ++attempt)
            result = run(args, server.setting());
        return result;
    }

    fs::path data() const { return folder_ / "data"; }
    fs::path session() const { return data() / "trommik2" / "session.tm2set"; }

    fs::path folder_;
};

// Seconds of every step with a hit of the default setup's pattern on the
// given tracks, from its document: thirty-second steps,
// every third of four shifted by the shuffle.
std::vector<double> hitTimes(const std::vector<int>& tracks, double seconds) {
    const fs::path setup = fs::path(TROMMIK2_MODULE_PATH).parent_path() / "Trommik2" / "Setups" / "default.tm2set";
    TiXmlDocument document(setup.string().c_str());
    EXPECT_TRUE(document.LoadFile()) << setup;
    const TiXmlElement* pattern =
        TiXmlHandle(&document).FirstChild("preset").FirstChild("setup").FirstChild("pattern").ToElement();
    if (!pattern)
        return {};
    int bars = 1;
    int shuffle = 0;
    pattern->QueryIntAttribute("numbars", &bars);
    pattern->QueryIntAttribute("shuffle", &shuffle);
    const double step = 60.0 / kTempo / 8.0;
    std::vector<double> times;
    for (const TiXmlElement* track = pattern->FirstChildElement("tracks")->FirstChildElement("track"); track;
         track = track->NextSiblingElement("track")) {
        int number = -1;
        track->QueryIntAttribute("number", &number);
        if (std::find(tracks.begin(), tracks.end(), number) == tracks.end())
            continue;
        const std::string hex = track->FirstChildElement("velocity")->GetText();
        for (int loop = 0; loop * bars * 32 * step < seconds; ++loop)
            for (int i = 0; i < bars * 32 && 2 * i + 1 < static_cast<int>(hex.size()); ++i)
                if (std::stoi(hex.substr(2 * static_cast<size_t>(i), 2), nullptr, 16) > 0) {
                    const double t = (loop * bars * 32 + i + (i % 4 == 2 ? shuffle / 100.0 : 0.0)) * step;
                    if (t < seconds)
                        times.push_back(t);
                }
    }
    std::sort(times.begin(), times.end());
    return times;
}

// Mean power of x between two times in milliseconds.
double power(const std::vector<float>& x, double fromMs, double toMs) {
    const auto from = static_cast<size_t>(std::fmax(0.0, fromMs) * kRate / 1000.0);
    const auto to = std::min(x.size(), static_cast<size_t>(std::fmax(0.0, toMs) * kRate / 1000.0));
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += static_cast<double>(x[i]) * x[i];
    return to > from ? sum / static_cast<double>(to - from) : 0.0;
}

// A loud hit starts within a few ms of t: the power grows twentyfold from the
// 3 ms before t - 3 ms to the 3 ms after t + 3 ms.
bool hitStartsAt(const std::vector<float>& x, double t) {
    const double ms = 1000.0 * t;
    return power(x, ms + 3.0, ms + 6.0) > 20.0 * power(x, ms - 6.0, ms - 3.0) + 1e-9;
}

#ifdef TROMMIK2_SANITIZED
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// Under the sanitizers the machine's load decides about xruns; what was
// played is checked all the same.
void expectNoXruns(const AppRun& run) {
    if (kSanitized && run.xruns() != 0)
        std::printf("note: %ld xruns under the sanitizers\n", run.xruns());
    else
        EXPECT_EQ(run.xruns(), 0) << run.out;
}

// Long periods: beside the suite's other tests this machine stalls a process
// for up to 10 ms now and then, an xrun at 256 frames (5.8 ms).
constexpr int kGroovePeriod = 1024;

TEST_F(StandaloneAppTest, PlaysTheDefaultGrooveInTimeAndKeepsTheSession) {
    JackServer server(folder_.string(), kRate, kGroovePeriod);
    ASSERT_TRUE(server.ready());
    const std::string out = (folder_ / "out.wav").string();
    AppRun first = runWithoutXruns(
        {"--driver", "jack", "--no-editor", "--play", "--setup", "default", "--record", out, "--quit-after", "4"},
        server);
    ASSERT_EQ(first.status, 0) << first.out << first.err;
    expectNoXruns(first);
    const std::vector<float> played = leftChannel(out);
    ASSERT_GE(played.size(), 4u * kRate);

    // Every kick of the pattern is heard on its step (the other tracks' hits
    // blur into claps, echoes and tails), and the recording is what the module
    // renders offline in blocks of the same size.
    const std::vector<double> kicks = hitTimes({0}, 3.99);
    ASSERT_GE(kicks.size(), 8u);
    for (double t : kicks)
        EXPECT_TRUE(hitStartsAt(played, t)) << "the kick at " << t << " s";
    EXPECT_FALSE(hitStartsAt(played, kicks[1] - 0.020)) << "a test that would find any time";
    const std::string offline = (folder_ / "offline.wav").string();
    ChildProcess render({TROMMIK2_HOST_PATH, "render", "--setup", "default", "--block", std::to_string(kGroovePeriod),
                         "--seconds", "4", "-o", offline},
                        {}, (folder_ / "render").string());
    ASSERT_EQ(render.wait(120.0), 0) << render.errors();
    const std::vector<float> reference = leftChannel(offline);
    ASSERT_EQ(reference.size(), 4u * kRate);
    EXPECT_TRUE(std::equal(reference.begin(), reference.end(), played.begin()));

    // The next start without a setup restores the session and plays the same.
    ASSERT_TRUE(fs::exists(session()));
    const std::string saved = fileText(session());
    const std::string again = (folder_ / "again.wav").string();
    AppRun second =
        runWithoutXruns({"--driver", "jack", "--no-editor", "--play", "--record", again, "--quit-after", "4"}, server);
    ASSERT_EQ(second.status, 0) << second.out << second.err;
    const std::vector<float> replayed = leftChannel(again);
    ASSERT_GE(replayed.size(), 4u * kRate);
    EXPECT_TRUE(std::equal(played.begin(), played.begin() + 4 * kRate, replayed.begin()));
    EXPECT_EQ(fileText(session()), saved);
}

// One run of the program with a JACK sequencer that loops note 36 (channel 1)
// every loop frames into its MIDI input; what it recorded, and whether the run
// was undisturbed (connected in time, no xruns).
struct MidiRun {
    std::vector<float> recorded;
    bool undisturbed = false;
    bool xruns = false;
    std::string report;
};

constexpr int kMidiLoop = 22050;
// Long periods, as for the groove: a stall is no xrun, and a sanitized program keeps up.
constexpr int kMidiPeriod = 1024;

// The intervals between the recorded notes that are off the loop by more than
// a tolerance: JACK MIDI reaches RtMidi stamped with its period, so a note may
// move by one period.
std::vector<double> offIntervals(const std::vector<size_t>& hits) {
    std::vector<double> off;
    for (size_t i = 1; i < hits.size(); ++i) {
        const auto interval = static_cast<double>(hits[i] - hits[i - 1]);
        if (std::abs(interval - kMidiLoop) > kMidiPeriod + 0.002 * kRate)
            off.push_back(interval);
    }
    return off;
}

TEST_F(StandaloneAppTest, MidiNotesFromAnotherProgramPlayOnTime) {
    JackServer server(folder_.string(), kRate, kMidiPeriod);
    ASSERT_TRUE(server.ready());
    auto play = [&]() {
        ChildProcess sender({"timeout", "60", "jack_midiseq", "notes", std::to_string(kMidiLoop), "0", "36", "1000"},
                            {server.setting()}, (folder_ / "sender").string());
        const std::string out = (folder_ / "midi.wav").string();
        ChildProcess app({TROMMIK2_APP_PATH, "--driver", "jack", "--no-editor", "--midi-channel", "1", "--record", out,
                          "--quit-after", "6"},
                         {server.setting(), "HOME=" + folder_.string(), "XDG_DATA_HOME=" + data().string()},
                         (folder_ / "app").string());
        bool connected = false;
        for (int i = 0; i < 300 && !connected && app.running(); ++i) {
            ChildProcess connect({"jack_connect", "notes:out", "trommik2-midi:in"}, {server.setting()},
                                 (folder_ / "connect").string());
            connected = connect.wait(10.0) == 0;
            if (!connected)
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        MidiRun run;
        const int status = app.wait(60.0);
        run.report = app.output() + app.errors();
        run.recorded = leftChannel(out);
        run.xruns = run.report.find(" 0 xruns") == std::string::npos;
        // A sanitized program has xruns on this machine; they count only when
        // they moved a note.
        run.undisturbed = connected && status == 0 && (kSanitized || !run.xruns);
        return run;
    };
    // The program stamps a note when its MIDI thread takes it. Without
    // real-time scheduling a busy machine can hold that thread up for several
    // milliseconds, with or without xruns, and more under the sanitizers. So a
    // run that moved a note is tried again, a few times at most: a fault in the
    // timing moves notes in every try.
    auto disturbed = [](const MidiRun& run) {
        return !run.undisturbed || !offIntervals(onsets(run.recorded, 0.01)).empty();
    };
    MidiRun run = play();
    for (int attempt = 1; attempt < 4 && disturbed(run); ++attempt)
        run = play();
    ASSERT_TRUE(run.undisturbed) << run.report;

    // Only the notes sound (the pattern is stopped), half a second apart.
    const std::vector<size_t> hits = onsets(run.recorded, 0.01);
    ASSERT_GE(hits.size(), 6u);
    EXPECT_EQ(offIntervals(hits), std::vector<double>{}) << run.report;
}

TEST_F(StandaloneAppTest, BadOptionsAndMissingServersOrDevicesEndWithAClearMessage) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* message;
    };
    const Case usage[] = {
        {{"--bogus"}, 2, "unknown option '--bogus'"},
        {{"--driver", "oss"}, 2, "--driver must be jack, alsa or pulse"},
        {{"--buffer", "5"}, 2, "--buffer must lie in 16..8192"},
        {{"--tempo", "fast"}, 2, "--tempo needs a number"},
        {{"--midi-channel", "17"}, 2, "--midi-channel must lie in 1..16"},
        {{"--rate"}, 2, "--rate needs a value"},
    };
    for (const Case& c : usage) {
        AppRun r = run(c.args, "JACK_DEFAULT_SERVER=none");
        EXPECT_EQ(r.status, c.status) << c.args[0];
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("usage: trommik2"), std::string::npos);
    }
    AppRun missing = run({"--driver", "jack", "--quit-after", "1"}, "JACK_DEFAULT_SERVER=trommik2-no-such-server");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "trommik2: no JACK server is running\n");

    JackServer server(folder_.string(), kRate, 256);
    ASSERT_TRUE(server.ready());
    const Case absent[] = {
        {{"--device", "nosuch"}, 1, "trommik2: no JACK output device named 'nosuch' (see --list-devices)\n"},
        {{"--midi-in", "nosuch"}, 1, "trommik2: no JACK MIDI input port named 'nosuch' (see --list-devices)\n"},
        {{"--rate", "48000"}, 1, "trommik2: the JACK server runs at 44100 Hz, not 48000"},
    };
    for (const Case& c : absent) {
        std::vector<std::string> args = {"--driver", "jack", "--no-editor", "--quit-after", "1"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        AppRun r = run(args, server.setting());
        EXPECT_EQ(r.status, c.status) << c.args[0];
        EXPECT_EQ(r.err.rfind(c.message, 0), 0u) << r.err;
    }
    AppRun headless = run({"--driver", "jack", "--quit-after", "1"}, server.setting());
    EXPECT_EQ(headless.status, 0) << headless.err;
    EXPECT_NE(headless.out.find("trommik2: no X display; running without the editor"), std::string::npos)
        << headless.out;
}

} // namespace
