#pragma once

#include <cstdint>
#include <string>

#include "sequencer/TrackPattern.h"

namespace trommik2 {

// The hexadecimal text of a track's steps in pattern documents: two digits of
// velocity per step, four digits of automation per step, upper case, most
// significant digit first. Reading never fails: a character that is not
// 0-9 or A-F counts as 0, and a short text covers fewer steps.
class StepCodec {
  public:
    static constexpr int kSlotCount = TrackPattern::kSlotCount;

    // The low eight bits of every step's velocity.
    static std::string velocities(const TrackPattern& track);
    // Decodes the complete pairs of text, at most 128, into steps 0, 1, ...;
    // a step holds a hit when its value is 1 or more. Later steps are untouched.
    static void readVelocities(const char* text, TrackPattern& track);

    // The automation values of one parameter at all steps, over its automation range.
    static std::string automation(const TrackPattern& track, int parameter, float minimum, float maximum);
    // Decodes the complete groups of four, at most 128, into points of the
    // parameter; a point exists where the value is not 0.
    static void readAutomation(const char* text, TrackPattern& track, int parameter, float minimum, float maximum);

    // trunc((value - minimum) * 65535 / (maximum - minimum)) masked to 16
    // bits; 0 for an empty range or a NaN.
    static uint16_t toWord(float value, float minimum, float maximum);
    // minimum + (maximum - minimum) * word / 65535, the float that toWord
    // turns back into the same word.
    static float fromWord(uint16_t word, float minimum, float maximum);
};

} // namespace trommik2
