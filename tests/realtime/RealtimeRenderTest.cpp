#include <gtest/gtest.h>

#include <vector>

#include <core/DrumMachine.h>
#include <engine/InstrumentVoice.h>

#include "AllocationCounter.h"

using namespace trommik2;

TEST(Realtime, FactoryStateRendersWithoutAllocatingAfterTheFirstBlock) {
    auto machine = std::make_unique<DrumMachine>(nullptr);
    machine->setSampleRate(44100.0f);
    machine->setParameter(99998, 120.0f);
    for (int t = 0; t < 16; ++t)
        for (int slot = 0; slot < 64; slot += 4)
            machine->sequencer().track(t).setStep(slot, 100);
    std::vector<float> left(512), right(512);
    float* outputs[2] = {left.data(), right.data()};
    machine->setParameter(99999, 0.0f);
    machine->processReplacing(nullptr, outputs, 512);
    allocation::startCounting();
    for (int block = 1; block < 400; ++block) {
        machine->setSampleRate(44100.0f);
        machine->setParameter(99999, static_cast<float>(block * 512));
        machine->setParameter(99998, 120.0f);
        machine->processReplacing(nullptr, outputs, 512);
    }
    EXPECT_EQ(allocation::stopCounting(), 0u);
}

TEST(Realtime, VoiceRendersWithoutAllocatingAfterTheFirstBlock) {
    float smoothing[kParameterCount];
    for (float& ms : smoothing)
        ms = 10.0f;
    InstrumentVoice voice(smoothing, 44100.0f);
    voice.setParameter(GenSynthesisType, 0.0f);
    float left[64], right[64];
    voice.trigger(1.0f);
    voice.renderBlock(64, left, right);
    allocation::startCounting();
    for (int block = 0; block < 200; ++block) {
        if (block % 50 == 0)
            voice.trigger(0.8f);
        voice.renderBlock(64, left, right);
    }
    EXPECT_EQ(allocation::stopCounting(), 0u);
}
