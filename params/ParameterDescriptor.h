#pragma once

#include <cstdint>

#include "ValueCurve.h"

namespace trommik2 {

// Everything the table says about one instrument parameter. Values are in
// engine units (Hz, ms, dB, semitones, 0..1).
struct ParameterDescriptor {
    ValueCurve curve;
    float smoothingMs = 10.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float automationMinimum = 0.0f;
    float automationMaximum = 1.0f;
    float defaultValue = 0.0f;
    int32_t knobSteps = 1;
    int32_t knobFineSteps = 1;
    int32_t automationSteps = 1;
    int32_t automationFineSteps = 1;
    char key[64] = {};
    char shortName[64] = {};
    char longName[256] = {};
};

} // namespace trommik2
