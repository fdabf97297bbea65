// The state as a host moves it: memory streams through operations 5 and 6,
// the carry-over when a context is opened again, and a hand-edited setup.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cmath>
#include <string>
#include <vector>

#include <trommik2/host_api.h>

namespace {

class Module {
  public:
    Module() {
        handle_ = dlopen(TROMMIK2_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        if (handle_)
            entry = reinterpret_cast<ZelkoraSynthesizerFunction>(dlsym(handle_, "ZelkoraSynthesizer"));
    }
    ~Module() {
        if (handle_)
            dlclose(handle_);
    }
    ZelkoraSynthesizerFunction entry = nullptr;

  private:
    void* handle_ = nullptr;
};

HostContext freshContext() {
    HostContext context{};
    context.sampleRate = 44100;
    context.tempo = 120.0f;
    return context;
}

std::string saveText(ZelkoraSynthesizerFunction entry, HostContext& context) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.adwInfo[0] = 64 * 1024;
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READWRITE | MMIO_CREATE);
    context.stateStream = stream;
    std::string text;
    if (entry(6, &context) == 1) {
        mmioGetInfo(stream, &info, 0);
        text.assign(info.pchBuffer, static_cast<size_t>(info.cchBuffer));
    }
    mmioClose(stream, 0);
    context.stateStream = nullptr;
    return text;
}

int32_t loadText(ZelkoraSynthesizerFunction entry, HostContext& context, std::string text) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = text.data();
    info.cchBuffer = static_cast<int32_t>(text.size());
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READ);
    context.stateStream = stream;
    context.stateSize = static_cast<uint32_t>(text.size());
    int32_t result = entry(5, &context);
    mmioClose(stream, 0);
    context.stateStream = nullptr;
    return result;
}

void replace(std::string& text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// The velocity text of one track in a state.
void setVelocities(std::string& state, int track, const std::string& velocities) {
    size_t at = state.find("<track number=\"" + std::to_string(track) + "\"");
    ASSERT_NE(at, std::string::npos);
    size_t start = state.find("<velocity>", at) + 10;
    state.replace(start, 256, velocities);
}

std::vector<float> renderLeft(ZelkoraSynthesizerFunction entry, HostContext& context, int frames) {
    std::vector<float> left;
    std::vector<float> block(2 * 512);
    for (int done = 0; done < frames; done += 512) {
        context.outputBuffer = block.data();
        context.valueCount = 2 * 512;
        context.position = done;
        EXPECT_EQ(entry(7, &context), 1);
        for (int i = 0; i < 512; ++i)
            left.push_back(block[2 * static_cast<size_t>(i)]);
    }
    return left;
}

float peak(const std::vector<float>& x, size_t from, size_t to) {
    float p = 0.0f;
    for (size_t i = from; i < to && i < x.size(); ++i)
        p = std::max(p, std::fabs(x[i]));
    return p;
}

} // namespace

TEST(StateThroughTheHost, ReopeningAContextCarriesTheRealStateOver) {
    Module module;
    ASSERT_NE(module.entry, nullptr);
    HostContext original = freshContext();
    ASSERT_EQ(module.entry(1, &original), 1);
    std::string state = saveText(module.entry, original);
    replace(state, "name=\"\" volume=\"0.000000\" mute=\"0\"", "name=\"Carried\" volume=\"-12.000000\" mute=\"5\"");
    replace(state, "shuffle=\"0\" numbars=\"2\"", "shuffle=\"40\" numbars=\"3\"");
    ASSERT_EQ(loadText(module.entry, original, state), 1);
    std::string edited = saveText(module.entry, original);
    EXPECT_EQ(edited, state) << "the edited state is what the instance now holds";

    HostContext copy = original; // a host duplicating an instance copies its context
    ASSERT_EQ(module.entry(1, &copy), 1);
    EXPECT_NE(copy.plugin, original.plugin);
    EXPECT_EQ(saveText(module.entry, copy), edited);

    HostContext fresh = freshContext();
    ASSERT_EQ(module.entry(1, &fresh), 1);
    EXPECT_NE(saveText(module.entry, fresh), edited) << "a new context starts from the factory state";
    for (HostContext* c : {&fresh, &copy, &original})
        EXPECT_EQ(module.entry(2, c), 1);
}

TEST(StateThroughTheHost, RefusedStatesReportZero) {
    Module module;
    ASSERT_NE(module.entry, nullptr);
    HostContext context = freshContext();
    ASSERT_EQ(module.entry(1, &context), 1);
    std::string before = saveText(module.entry, context);
    EXPECT_EQ(loadText(module.entry, context, ""), 0);
    EXPECT_EQ(loadText(module.entry, context, "<setup volume=\"-40\" />"), 0);
    EXPECT_EQ(loadText(module.entry, context, before.substr(0, before.size() / 2)), 0);
    EXPECT_EQ(saveText(module.entry, context), before);
    EXPECT_EQ(module.entry(2, &context), 1);
}

TEST(StateThroughTheHost, AHandEditedSetupPlaysItsPattern) {
    Module module;
    ASSERT_NE(module.entry, nullptr);
    HostContext context = freshContext();
    ASSERT_EQ(module.entry(1, &context), 1);
    std::string state = saveText(module.entry, context);
    setVelocities(state, 1, std::string(256, '0'));                               // the default snare falls silent
    setVelocities(state, 0, std::string(32, '0') + "7F" + std::string(222, '0')); // a kick on step 16
    ASSERT_EQ(loadText(module.entry, context, state), 1);
    ASSERT_EQ(module.entry(8, &context), 1);

    const size_t stepLength = 88200 / 32; // 120 BPM at 44100 Hz
    std::vector<float> left = renderLeft(module.entry, context, 2 * 88200);
    EXPECT_LT(peak(left, 0, 16 * stepLength), 1e-4f) << "nothing before the kick's step";
    EXPECT_GT(peak(left, 16 * stepLength, 20 * stepLength), 0.05f) << "the kick on step 16";
    EXPECT_LT(peak(left, 16 * stepLength - 64, 16 * stepLength), 1e-4f);
    EXPECT_EQ(module.entry(2, &context), 1);
}
