#pragma once

#include <string>

#include "BenchResult.h"

// The benchmark's cases. Each renders at 44100 Hz and 120 BPM in host blocks of
// 512 frames and measures the rendering thread's CPU time.
class BenchCases {
  public:
    static constexpr int kSampleRate = 44100;
    static constexpr int kBlockFrames = 512;

    // The module's start-up setup from the content library beside it, through
    // the entry point as a host drives it.
    static BenchResult defaultSetup(const std::string& modulePath, double seconds);
    // The factory state, through the entry point of a copy of the module that
    // has no content library beside it.
    static BenchResult factory(const std::string& modulePath, double seconds);
    // The stress setup, in-process: its steps, automation and samples cannot be
    // reached through the entry point's parameters. Also in host blocks of other sizes.
    static BenchResult stress(double seconds, int blockFrames = kBlockFrames);
    // A kit of sixteen imported samples, one hit per track and bar (SampleKitSetup).
    static BenchResult sampleKit(double seconds);
    // The stress kit hit once on every track, then its tail, against the same kit
    // never hit: per 512-frame block through block processing (also from the block
    // after which no voice rendered any more), and per 64-sample block of the
    // voices rendered directly (no silence gate) after the tenth second.
    static BenchResult denormals(double seconds);
};
