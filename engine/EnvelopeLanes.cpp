#include "EnvelopeLanes.h"

#include <limits>

#include "Dsp.h"
#include "Float4.h"

namespace trommik2 {

namespace {

constexpr int kLanes = 4;
constexpr int kMostGroups = EnvelopeLanes::kMostEnvelopes / kLanes;

// Up to four steady envelopes side by side. A lane left empty steps a zero
// toward zero against an infinite bound: it never stops.
struct Group {
    Float4 level, previous, input, a1, sign, bound, curveLessOne;
    Int4 onEqual;
    int members = 0;
    AmpEnvelopeModule::Steady* steady[kLanes];
    // An empty lane's levels go to spare.
    float* outs[kLanes] = {spare, spare, spare, spare};
    int steps[kLanes];
    float spare[dsp::kBlockSize];
    // out[i] is the level after step i, whether or not the lane's stage went on that far.
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

    // The lanes where a level ends the stage before the next step.
    Int4 stops(Float4 x) const {
        const Float4 scaled = sign * x;
        return (scaled > bound) | ((scaled == bound) & onEqual);
    }

    // The levels through each lane's curve into the envelopes' buffers, and
    // where each lane's stage ends: at the first step taken from a level that
    // stops it (a stop found only in the block's last level is the next block's).
    // Every stop is a threshold, so some level stops a lane exactly when its
    // lowest or its highest does.
    void deliver(int n) {
        Float4 lowest = level, highest = level;
        int i = 0;
        for (; i + 4 <= n; i += 4) {
            Float4 rows[4];
#pragma GCC unroll 4
            for (int r = 0; r < 4; ++r) {
                const Float4 x = out[i + r];
                lowest = x < lowest ? x : lowest;
                highest = x > highest ? x : highest;
                rows[r] = x / (x + curveLessOne * (1.0f - x));
            }
            transpose4(rows);
#pragma GCC unroll 4
            for (int k = 0; k < kLanes; ++k)
                store4(outs[k] + i, rows[k]);
        }
        for (; i < n; ++i) {
            const Float4 x = out[i];
            lowest = x < lowest ? x : lowest;
            highest = x > highest ? x : highest;
            for (int k = 0; k < members; ++k)
                outs[k][i] = x[k] / (x[k] + curveLessOne[k] * (1.0f - x[k]));
        }
        const Int4 stopped = stops(lowest) | stops(highest);
        for (int k = 0; k < members; ++k)
            steps[k] = stopped[k] ? firstStop(k, n) : n;
    }

    int firstStop(int k, int n) const {
        if (stops(level)[k])
            return 0;
        int i = 1;
        while (i < n && !stops(out[i - 1])[k])
            ++i;
        return i;
    }

    // What each lane reached when its stage ended, or at the block's end.
    void keep() {
        for (int k = 0; k < members; ++k) {
            const int s = steps[k];
            steady[k]->level = s > 0 ? out[s - 1][k] : level[k];
            steady[k]->previous = s > 0 ? out[s - 1][k] : previous[k];
        }
    }
};

// All groups' recursions step together, one register each: each lane runs the
// whole block, and deliver finds where its stage actually ended.
template <int kGroups>
void runGroups(Group* groups, int n) {
    Float4 now[kGroups], input[kGroups], a1[kGroups];
    for (int g = 0; g < kGroups; ++g) {
        now[g] = groups[g].previous;
        input[g] = groups[g].input;
        a1[g] = groups[g].a1;
    }
    for (int i = 0; i < n; ++i) {
#pragma GCC unroll 4
        for (int g = 0; g < kGroups; ++g) {
            now[g] = input[g] - a1[g] * now[g];
            groups[g].out[i] = now[g];
        }
    }
}

void run(Group* groups, int count, int n) {
    switch (count) {
    case 1: runGroups<1>(groups, n); break;
    case 2: runGroups<2>(groups, n); break;
    case 3: runGroups<3>(groups, n); break;
    case 4: runGroups<4>(groups, n); break;
    default: break;
    }
}

} // namespace

void EnvelopeLanes::render(AmpEnvelopeModule* const* envelopes, float* const* outs, uint8_t* const* triggers, int count,
                           int n) {
    AmpEnvelopeModule::Steady steady[kMostEnvelopes];
    int group[kMostEnvelopes], lane[kMostEnvelopes];
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
        lane[e] = groups[group[e]].members;
        groups[group[e]].add(&steady[e], outs[e]);
    }
    // A single envelope runs faster without the lanes' overhead.
    if (groupCount == 1 && groups[0].members == 1) {
        groupCount = 0;
        for (int e = 0; e < count; ++e)
            group[e] = -1;
    }
    for (int g = 0; g < groupCount; ++g)
        groups[g].load();
    run(groups, groupCount, n);
    for (int g = 0; g < groupCount; ++g) {
        groups[g].deliver(n);
        groups[g].keep();
    }
    for (int e = 0; e < count; ++e) {
        const int start = group[e] >= 0 ? groups[group[e]].steps[lane[e]] : 0;
        if (start > 0)
            envelopes[e]->keepSteady(steady[e], triggers[e], start);
        if (start == n && n > 0) {
            envelopes[e]->endSteadyBlock(outs[e], n); // most lanes: nothing left to run or shape
            continue;
        }
        envelopes[e]->runFrom(outs[e], triggers[e], start, n);
        envelopes[e]->endBlock(outs[e], start, n);
    }
}

} // namespace trommik2
