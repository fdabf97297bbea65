#include "StepCodec.h"

#include <cmath>

namespace trommik2 {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

int digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

void appendHex(std::string& text, uint32_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        text += kDigits[(value >> shift) & 0xF];
}

// Reads one group of digits; false at the end of the text.
bool readGroup(const char*& text, int digits, uint32_t* value) {
    uint32_t v = 0;
    for (int i = 0; i < digits; ++i) {
        if (text[i] == '\0')
            return false;
        v = v << 4 | static_cast<uint32_t>(digit(text[i]));
    }
    text += digits;
    *value = v;
    return true;
}

} // namespace

std::string StepCodec::velocities(const TrackPattern& track) {
    std::string text;
    text.reserve(2 * kSlotCount);
    for (int k = 0; k < kSlotCount; ++k)
        appendHex(text, static_cast<uint32_t>(track.velocity(k)), 2);
    return text;
}

void StepCodec::readVelocities(const char* text, TrackPattern& track) {
    uint32_t value = 0;
    for (int k = 0; k < kSlotCount && readGroup(text, 2, &value); ++k)
        track.setStep(k, static_cast<int>(value));
}

std::string StepCodec::automation(const TrackPattern& track, int parameter, float minimum, float maximum) {
    std::string text;
    text.reserve(4 * kSlotCount);
    for (int k = 0; k < kSlotCount; ++k)
        appendHex(text, toWord(track.automationValue(parameter, k), minimum, maximum), 4);
    return text;
}

void StepCodec::readAutomation(const char* text, TrackPattern& track, int parameter, float minimum, float maximum) {
    uint32_t word = 0;
    for (int k = 0; k < kSlotCount && readGroup(text, 4, &word); ++k)
        track.setAutomationPoint(parameter, k, fromWord(static_cast<uint16_t>(word), minimum, maximum));
}

uint16_t StepCodec::toWord(float value, float minimum, float maximum) {
    const double range = static_cast<double>(maximum) - minimum;
    const double x = (static_cast<double>(value) - minimum) * 65535.0 / range;
    if (!(range > 0.0) || std::isnan(x))
        return 0;
    // Far outside the range only the low bits matter, and the cast must stay defined.
    const double held = x < -2147483648.0 ? -2147483648.0 : (x > 2147483647.0 ? 2147483647.0 : x);
    return static_cast<uint16_t>(static_cast<int64_t>(held) & 0xFFFF);
}

float StepCodec::fromWord(uint16_t word, float minimum, float maximum) {
    const double range = static_cast<double>(maximum) - minimum;
    float value = static_cast<float>(minimum + range * word / 65535.0);
    // Rounding to float may land just below the word's exact value, which
    // would then save as the word below: a saved pattern must load and save
    // again unchanged.
    for (int i = 0; i < 4 && toWord(value, minimum, maximum) < word; ++i)
        value = std::nextafter(value, maximum);
    return value;
}

} // namespace trommik2
