#pragma once

#include <cstddef>

// Read-outs shared by several effects' knobs, from the mapped value. Any thread.
namespace trommik2::fx {

// Hertz as kilohertz: "16.0k", "1.60k".
void showKilo(double hz, double sampleRate, char* out, std::size_t capacity);
// "10.0Hz", "0.20Hz".
void showHertz(double hz, double sampleRate, char* out, std::size_t capacity);
// Milliseconds: "0.1ms", "80ms", "2.00s".
void showDelayTime(double ms, double sampleRate, char* out, std::size_t capacity);
// Beats as the note value of their synchronised step: "1/8 Dot.".
void showSyncStep(double beats, double sampleRate, char* out, std::size_t capacity);

} // namespace trommik2::fx
