#pragma once

#include "BenchResult.h"

// Each of the effects alone, one instance at a time on stereo noise in 64-sample
// blocks, configured every block as a voice does: where an effect's own cost
// stands, apart from the voices around it.
class EffectCases {
  public:
    // One metric per effect type, named after it: its real-time factor.
    static BenchResult eachType(double seconds);
};
