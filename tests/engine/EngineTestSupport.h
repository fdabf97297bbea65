#pragma once

#include <cfenv>
#include <cmath>
#include <vector>

#include "common/SignalAnalysis.h"

// Mirrors block processing: conversions inside a rendering voice truncate.
class TruncatingRounding {
  public:
    TruncatingRounding() { std::fesetround(FE_TOWARDZERO); }
    ~TruncatingRounding() { std::fesetround(FE_TONEAREST); }
};
