// The module's entry point as a careless host drives it: random operations on a
// few contexts with random field values (every pointer valid), state streams of
// random bytes, and random parameter writes and reads through the effect record.
#include <fuzzer/FuzzedDataProvider.h>

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include <trommik2/effect_record.h>
#include <trommik2/host_api.h>

#include "platform/ScriptedDialogs.h"

namespace {

constexpr int kContexts = 2;
constexpr int kMaxFrames = 512;
// The parameter numbers the plug-in knows, and a few it does not.
constexpr int32_t kIndices[] = {0,     1,     20,    39,    45,    51,    56,    58,    59,    -1,
                                5000,  10000, 10001, 10015, 10017, 10019, 10020, 10022, 10028, 10043,
                                10044, 10059, 10060, 10076, 10079, 10080, 99998, 99999, 123456};

int32_t hostCallback(int32_t, HostCallbackRecord*) { return 0; }

float anyFloat(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return in.ConsumeFloatingPointInRange(-2.0f, 2.0f);
    uint32_t bits = in.ConsumeIntegral<uint32_t>();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct Host {
    HostContext contexts[kContexts] = {};
    std::deque<AEffect*> live[kContexts];
    std::vector<float> buffer = std::vector<float>(2 * kMaxFrames);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 32, 32);
    cairo_t* painter = cairo_create(surface);

    ~Host() {
        for (int c = 0; c < kContexts; ++c)
            while (!live[c].empty())
                call(2, c);
        cairo_destroy(painter);
        cairo_surface_destroy(surface);
    }

    // Mostly the values hosts send; now and then anything at all. Extreme rates
    // and tempi are slow to handle (the delays are sized for them), so they come
    // rarely enough for the fuzzer to get round the rest.
    void fill(FuzzedDataProvider& in, HostContext& context) {
        constexpr uint32_t kRates[] = {8000, 22050, 44100, 48000, 96000, 192000};
        switch (in.ConsumeIntegralInRange(0, 15)) {
        case 0: context.sampleRate = in.ConsumeIntegral<uint32_t>(); break;
        case 1: context.tempo = anyFloat(in); break;
        case 2:
        case 3: context.sampleRate = in.PickValueInArray(kRates); break;
        case 4:
        case 5: context.tempo = in.ConsumeFloatingPointInRange(60.0f, 240.0f); break;
        case 6:
        case 7:
        case 8: context.position = in.ConsumeIntegral<int32_t>(); break;
        case 9:
        case 10:
        case 11:
            context.outputBuffer = in.ConsumeBool() ? buffer.data() : nullptr;
            context.valueCount = in.ConsumeIntegralInRange<int32_t>(-4, 2 * kMaxFrames);
            break;
        case 12: context.editorFlags = in.ConsumeIntegral<uint32_t>(); break;
        case 13:
        case 14:
            context.thumbnailDc = in.ConsumeBool() ? painter : nullptr;
            context.thumbnailLeft = in.ConsumeIntegralInRange<int32_t>(-64, 64);
            context.thumbnailTop = in.ConsumeIntegralInRange<int32_t>(-64, 64);
            context.thumbnailWidth = in.ConsumeIntegral<int32_t>();
            context.thumbnailHeight = in.ConsumeIntegral<int32_t>();
            context.thumbnailStart = in.ConsumeIntegral<int32_t>();
            context.thumbnailEnd = in.ConsumeIntegral<int32_t>();
            break;
        default: {
            // A host may reopen a context that names another instance's plug-in.
            const HostContext& other = contexts[in.ConsumeIntegralInRange(0, kContexts - 1)];
            context.plugin = in.ConsumeBool() ? other.plugin : nullptr;
            break;
        }
        }
    }

    void stateOperation(FuzzedDataProvider& in, HostContext& context, int32_t operation) {
        std::vector<char> text = in.ConsumeBytes<char>(in.ConsumeIntegralInRange<size_t>(0, 4096));
        MMIOINFO info{};
        info.fccIOProc = FOURCC_MEM;
        info.adwInfo[0] = 4096;
        if (operation == 5 && !text.empty()) {
            info.pchBuffer = text.data();
            info.cchBuffer = static_cast<int32_t>(text.size());
        }
        HMMIO stream = mmioOpen(nullptr, &info, operation == 5 ? MMIO_READ : MMIO_READWRITE | MMIO_CREATE);
        context.stateStream = stream;
        context.stateSize = static_cast<uint32_t>(text.size()) + in.ConsumeIntegralInRange<uint32_t>(0, 16);
        ZelkoraSynthesizer(operation, &context);
        context.stateStream = nullptr;
        if (stream)
            mmioClose(stream, 0);
    }

    // Calls an operation and keeps track of the instances it opens and closes:
    // the adapter finds a context's oldest instance first.
    void call(int32_t operation, int c) {
        HostContext& context = contexts[c];
        int32_t result = ZelkoraSynthesizer(operation, &context);
        if ((operation & 0xFFFF) == 1 && result == 1)
            live[c].push_back(static_cast<AEffect*>(context.plugin));
        else if ((operation & 0xFFFF) == 2 && result == 1)
            live[c].pop_front();
    }

    // Only a plug-in that is still open may be called through its record.
    void parameter(FuzzedDataProvider& in, int c) {
        if (live[c].empty())
            return;
        AEffect* effect = live[c][in.ConsumeIntegralInRange<size_t>(0, live[c].size() - 1)];
        int32_t index = in.ConsumeBool() ? in.PickValueInArray(kIndices) : in.ConsumeIntegral<int32_t>();
        if (in.ConsumeBool())
            effect->setParameter(effect, index, anyFloat(in));
        else
            effect->getParameter(effect, index);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static trommik2::ScriptedDialogs dialogs;
    trommik2::Dialogs::install(&dialogs);
    FuzzedDataProvider in(data, size);
    Host host;
    for (HostContext& context : host.contexts) {
        context.hostCallback = hostCallback;
        context.sampleRate = 44100;
        context.tempo = 120.0f;
    }
    int steps = 0;
    while (in.remaining_bytes() > 0 && ++steps < 64) {
        const int c = in.ConsumeIntegralInRange(0, kContexts - 1);
        int choice = in.ConsumeIntegralInRange(0, 19);
        if (choice < 6)
            host.fill(in, host.contexts[c]);
        else if (choice < 8)
            host.parameter(in, c);
        else if (choice == 8)
            host.stateOperation(in, host.contexts[c], in.ConsumeBool() ? 5 : 6);
        else
            host.call(in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 16) : in.ConsumeIntegral<int32_t>(), c);
    }
    dialogs.clear();
    return 0;
}
