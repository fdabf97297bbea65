#include "MachineDriver.h"

#include <algorithm>

#include "core/DrumMachine.h"

namespace trommik2 {

MachineDriver::MachineDriver(DrumMachine& machine, int sampleRate, int blockFrames, float tempo)
    : machine_(machine), sampleRate_(sampleRate), blockFrames_(blockFrames), tempo_(tempo),
      left_(static_cast<size_t>(std::max(blockFrames, 1))), right_(static_cast<size_t>(std::max(blockFrames, 1))) {
    machine_.setSampleRate(static_cast<float>(sampleRate));
    machine_.resume();
}

void MachineDriver::renderBlock(int frames) {
    frames = std::min(frames, blockFrames_);
    float* outputs[2] = {left_.data(), right_.data()};
    machine_.setSampleRate(static_cast<float>(sampleRate_));
    machine_.setParameter(99999, static_cast<float>(position_));
    machine_.setParameter(99998, tempo_);
    machine_.processReplacing(nullptr, outputs, frames);
    position_ += std::max(frames, 0);
}

} // namespace trommik2
