#pragma once

#include <cmath>
#include <memory>
#include <vector>

#include <core/DrumMachine.h>

#include "common/SignalAnalysis.h"

// A drum machine at 120 BPM and 44100 Hz, rendered as a host would.
class Rig {
  public:
    Rig() : machine(std::make_unique<trommik2::DrumMachine>(nullptr)) {
        machine->setSampleRate(44100.0f);
        machine->setParameter(99998, 120.0f);
        machine->resume();
    }

    // Renders frames in host blocks of the given size, continuing the transport.
    std::vector<float> renderLeft(int frames, int block = 512) {
        std::vector<float> left(static_cast<size_t>(frames));
        std::vector<float> right(static_cast<size_t>(frames));
        for (int done = 0; done < frames; done += block) {
            int n = std::min(block, frames - done);
            float* outputs[2] = {left.data() + done, right.data() + done};
            machine->setParameter(99999, static_cast<float>(position));
            machine->processReplacing(nullptr, outputs, n);
            position += n;
        }
        lastRight = right;
        return left;
    }

    void clearPattern() {
        for (int t = 0; t < 16; ++t)
            machine->sequencer().track(t).clear();
    }

    std::unique_ptr<trommik2::DrumMachine> machine;
    std::vector<float> lastRight;
    int position = 0;
};
