#include "EnvelopeLanes.h"

#include <cstring>
#include <limits>

#include "Dsp.h"
#include "Float4.h"

namespace trommik2 {

namespace {

constexpr int kLanes = 4;
constexpr int kMostGroups = EnvelopeLanes::kMostEnvelopes / kLanes;

// Up to four steady envelopes side by side. A lane left empty steps a zero
// toward zero against an infinite bound: it never stops the group.
struct Group {
    Float4 level, previous, input, a1, sign, bound, curveLessOne;
    Int4 onEqual;
    int members = 0;
    int steps = 0;
    AmpEnvelopeModule::Steady* steady[kLanes];
    float* outs[kLanes];
    Float4 out[dsp::kBlockSize];

    void add(AmpEnvelopeModule::Steady* lane, float* destination) {
        steady[members] = lane;
        outs[members++] = destination;
    }

    void load() {
        AmpEnvelopeModule::Steady empty = {0.0f, 0.0f, 0.0f, 0.0f, 1.0f, std::numeric_limits<float>::infinity(),
                                           0.0f, false};
        for (int k = 0; k < kLanes; ++k) {
            const AmpEnvelopeModule::Steady& s = k < members ? *steady[k] : empty;
            level[k] = s.level;
            previous[k] = s.previous;
            input[k] = s.input;
            a1[k] = s.a1;
            sign[k] = s.sign;
            bound[k] = s.bound;
            curveLessOne[k] = s.curveLessOne;
            onEqual[k] = s.stopsOnEqual ? -1 : 0;
        }
    }

    // The lanes step until one of them stops, with the state in registers.
    void run(int n) {
        Float4 now = level, before = previous;
        int i = 0;
        for (; i < n; ++i) {
            const Float4 scaled = sign * now;
            if (anyLane((scaled > bound) | ((scaled == bound) & onEqual)))
                break;
            now = input - a1 * before;
            before = now;
            out[i] = now;
        }
        steps = i;
        for (int k = 0; k < members; ++k) {
            steady[k]->level = now[k];
            steady[k]->previous = before[k];
        }
    }

    // The levels reached, through each lane's curve, into the envelopes' buffers.
    void deliver() const {
        int i = 0;
        for (; i + 4 <= steps; i += 4) {
            Float4 rows[4];
            for (int r = 0; r < 4; ++r)
                rows[r] = out[i + r] / (out[i + r] + curveLessOne * (1.0f - out[i + r]));
            transpose4(rows);
            for (int k = 0; k < members; ++k)
                store4(outs[k] + i, rows[k]);
        }
        for (; i < steps; ++i) {
            for (int k = 0; k < members; ++k)
                outs[k][i] = out[i][k] / (out[i][k] + curveLessOne[k] * (1.0f - out[i][k]));
        }
    }
};

} // namespace

void EnvelopeLanes::render(AmpEnvelopeModule* const* envelopes, float* const* outs, uint8_t* const* triggers, int count,
                           int n) {
    AmpEnvelopeModule::Steady steady[kMostEnvelopes];
    int group[kMostEnvelopes];
    Group groups[kMostGroups];
    int groupCount = 0;
    for (int e = 0; e < count; ++e) {
        envelopes[e]->beginBlock();
        group[e] = -1;
        if (!envelopes[e]->steady(steady[e]))
            continue;
        if (groupCount == 0 || groups[groupCount - 1].members == kLanes)
            ++groupCount;
        group[e] = groupCount - 1;
        groups[group[e]].add(&steady[e], outs[e]);
    }
    // A lone envelope runs faster without the lanes' overhead.
    if (groupCount > 0 && groups[groupCount - 1].members == 1) {
        --groupCount;
        for (int e = 0; e < count; ++e)
            group[e] = group[e] == groupCount ? -1 : group[e];
    }
    for (int g = 0; g < groupCount; ++g) {
        groups[g].load();
        groups[g].run(n);
        groups[g].deliver();
    }
    for (int e = 0; e < count; ++e) {
        const int start = group[e] >= 0 ? groups[group[e]].steps : 0;
        if (start > 0)
            envelopes[e]->keepSteady(steady[e], triggers[e], start);
        envelopes[e]->runFrom(outs[e], triggers[e], start, n);
        envelopes[e]->endBlock(outs[e], start, n);
    }
}

} // namespace trommik2
