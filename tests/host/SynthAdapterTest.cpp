#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <core/effect/SynthPlugin.h>
#include <host/SynthAdapter.h>

using namespace trommik2;

namespace {

// A plug-in that renders a ramp and keeps its state as a plain text.
class RecordingPlugin : public SynthPlugin {
  public:
    explicit RecordingPlugin(HostCallbackFunction callback) : SynthPlugin(callback) {}

    void setParameter(int32_t index, float value) override { parameters.push_back({index, value}); }
    void processReplacing(float**, float** outputs, int32_t frames) override {
        renderedFrames += frames;
        for (int32_t i = 0; i < frames; ++i) {
            outputs[0][i] = static_cast<float>(i + 1);
            outputs[1][i] = -static_cast<float>(i + 1);
        }
    }
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }
    bool saveState(std::string& stream) override {
        stream += state;
        return true;
    }
    bool loadState(const char* text) override {
        state = text;
        return state != "reject";
    }

    std::vector<std::pair<int32_t, float>> parameters;
    std::string state;
    int32_t renderedFrames = 0;
    int suspends = 0;
    int resumes = 0;
};

class TestAdapter : public SynthAdapter {
  public:
    SynthPlugin* createEffectInstance(HostCallbackFunction callback) override { return new RecordingPlugin(callback); }
};

RecordingPlugin* pluginOf(const HostContext& context) {
    return static_cast<RecordingPlugin*>(static_cast<AEffect*>(context.plugin)->object);
}

HostContext makeContext() {
    HostContext context{};
    context.sampleRate = 48000;
    context.tempo = 120.0f;
    context.position = 1000;
    return context;
}

HMMIO memoryStream(std::string& bytes, uint32_t flags) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = bytes.data();
    info.cchBuffer = static_cast<int32_t>(bytes.size());
    return mmioOpen(nullptr, &info, flags);
}

} // namespace

TEST(SynthAdapter, QueriesAndUnknownOperationsAnswerTheirConstants) {
    TestAdapter adapter;
    HostContext context = makeContext();
    EXPECT_EQ(adapter.dispatch(0, &context), 0);
    EXPECT_EQ(adapter.dispatch(16, &context), 0);
    EXPECT_EQ(adapter.dispatch(9, &context), 0);
    EXPECT_EQ(adapter.dispatch(13, &context), 0);
    EXPECT_EQ(adapter.dispatch(12, &context), 2);
    EXPECT_EQ(adapter.dispatch(14, &context), 4);
    EXPECT_EQ(adapter.dispatch(15, &context), 42);
    EXPECT_EQ(adapter.dispatch(0x10000 | 12, &context), 2) << "only the low 16 bits count";
}

TEST(SynthAdapter, OperationsWithoutAnInstanceDoNothing) {
    TestAdapter adapter;
    HostContext context = makeContext();
    for (int op : {2, 3, 4, 5, 6, 7, 8, 10, 11})
        EXPECT_EQ(adapter.dispatch(op, &context), 0) << "operation " << op;
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    EXPECT_EQ(context.reservedWord, 0u);
    EXPECT_EQ(adapter.dispatch(2, &context), 1);
    EXPECT_EQ(adapter.dispatch(2, &context), 0) << "closing twice finds nothing";
    EXPECT_EQ(adapter.dispatch(1, nullptr), 0);
}

TEST(SynthAdapter, RenderInterleavesWholeFramesAndPassesTransport) {
    TestAdapter adapter;
    HostContext context = makeContext();
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    std::vector<float> buffer(8, 99.0f);
    context.outputBuffer = buffer.data();
    context.valueCount = 7;
    EXPECT_EQ(adapter.dispatch(7, &context), 1);
    EXPECT_EQ(buffer, (std::vector<float>{1, -1, 2, -2, 3, -3, 99, 99})) << "7 values render 3 frames";
    RecordingPlugin* plugin = pluginOf(context);
    EXPECT_EQ(plugin->renderedFrames, 3);
    ASSERT_EQ(plugin->parameters.size(), 2u);
    EXPECT_EQ(plugin->parameters[0], (std::pair<int32_t, float>{99999, 1000.0f}));
    EXPECT_EQ(plugin->parameters[1], (std::pair<int32_t, float>{99998, 120.0f}));
    EXPECT_EQ(plugin->getSampleRate(), 48000.0f);
    adapter.dispatch(2, &context);
}

TEST(SynthAdapter, RenderWithoutTempoBufferOrCountLeavesTheBufferAlone) {
    TestAdapter adapter;
    HostContext context = makeContext();
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    std::vector<float> buffer(4, 7.0f);
    context.outputBuffer = buffer.data();
    context.valueCount = 4;
    context.tempo = 0.0f;
    EXPECT_EQ(adapter.dispatch(7, &context), 1);
    context.tempo = 120.0f;
    context.valueCount = 0;
    EXPECT_EQ(adapter.dispatch(7, &context), 1);
    context.valueCount = 4;
    context.outputBuffer = nullptr;
    EXPECT_EQ(adapter.dispatch(7, &context), 1);
    EXPECT_EQ(buffer, std::vector<float>(4, 7.0f));
    EXPECT_EQ(pluginOf(context)->renderedFrames, 0);
    adapter.dispatch(2, &context);
}

TEST(SynthAdapter, StateMovesThroughTheHostStream) {
    TestAdapter adapter;
    HostContext context = makeContext();
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    pluginOf(context)->state = "<setup/>";

    std::string saved(8, '\0');
    HMMIO out = memoryStream(saved, MMIO_READWRITE);
    context.stateStream = out;
    EXPECT_EQ(adapter.dispatch(6, &context), 1);
    mmioClose(out, 0);
    EXPECT_EQ(saved, "<setup/>") << "the text is written without a terminating zero";

    std::string small(3, '\0');
    out = memoryStream(small, MMIO_READWRITE);
    context.stateStream = out;
    EXPECT_EQ(adapter.dispatch(6, &context), 0) << "a failed write reports 0";
    mmioClose(out, 0);

    std::string incoming = "abcdefXYZ";
    HMMIO in = memoryStream(incoming, MMIO_READ);
    context.stateStream = in;
    context.stateSize = 6;
    EXPECT_EQ(adapter.dispatch(5, &context), 1);
    EXPECT_EQ(pluginOf(context)->state, "abcdef") << "exactly stateSize bytes, zero-terminated";
    mmioClose(in, 0);

    context.stateStream = nullptr;
    EXPECT_EQ(adapter.dispatch(5, &context), 0) << "a failed read leaves the plug-in untouched";
    EXPECT_EQ(pluginOf(context)->state, "abcdef");
    adapter.dispatch(2, &context);
}

TEST(SynthAdapter, ReopeningAContextCarriesTheLivePluginsStateOver) {
    TestAdapter adapter;
    HostContext original = makeContext();
    ASSERT_EQ(adapter.dispatch(1, &original), 1);
    pluginOf(original)->state = "kit and pattern";

    HostContext copy = original; // a host duplicating an instance copies its context
    ASSERT_EQ(adapter.dispatch(1, &copy), 1);
    EXPECT_NE(copy.plugin, original.plugin);
    EXPECT_EQ(pluginOf(copy)->state, "kit and pattern");

    pluginOf(copy)->state = "reject";
    HostContext rejected = copy;
    EXPECT_EQ(adapter.dispatch(1, &rejected), 0) << "the open reports the load's result";
    adapter.dispatch(2, &rejected);

    HostContext stale = original;
    adapter.dispatch(2, &original);
    ASSERT_EQ(adapter.dispatch(1, &stale), 1) << "a plug-in that is gone is not asked";
    EXPECT_EQ(pluginOf(stale)->state, "");
    adapter.dispatch(2, &stale);
    adapter.dispatch(2, &copy);
}

TEST(SynthAdapter, SuspendResumeAndEditorWithoutWindowSystem) {
    TestAdapter adapter;
    HostContext context = makeContext();
    ASSERT_EQ(adapter.dispatch(1, &context), 1);
    EXPECT_EQ(adapter.dispatch(8, &context), 1);
    EXPECT_EQ(adapter.dispatch(10, &context), 1);
    EXPECT_EQ(pluginOf(context)->resumes, 1);
    EXPECT_EQ(pluginOf(context)->suspends, 1);
    EXPECT_EQ(adapter.dispatch(3, &context), 0) << "a plug-in without editor cannot open one";
    context.editorWindow = 5;
    EXPECT_EQ(adapter.dispatch(4, &context), 1);
    EXPECT_EQ(context.editorWindow, 0u);
    EXPECT_EQ(adapter.dispatch(11, &context), 0);
    adapter.dispatch(2, &context);
}
