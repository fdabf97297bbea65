#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include <engine/PhysicalModelModule.h>
#include <params/ParameterIndex.h>

#include "ModuleDriver.h"

using namespace trommik2;
using namespace trommik2::test;

namespace {

// An envelope that is full for the first block and silent afterwards: a short strike.
std::vector<float> strike(size_t n) {
    std::vector<float> e(n, 0.0f);
    std::fill(e.begin(), e.begin() + 64, 1.0f);
    return e;
}

// The twelve line lengths as the size law gives them, before rounding.
std::vector<double> exactLengths(double rate, double size) {
    std::vector<double> lengths;
    double factor = 1.0, ratio = 1.13;
    for (int k = 0; k < 12; ++k) {
        lengths.push_back(factor * rate * (size * 4.7 + 0.3) / 4900.0);
        factor *= ratio;
        ratio *= 1.019;
    }
    return lengths;
}

} // namespace

TEST(PhysicalModelModule, DampingSetsTheLoopGain) {
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    for (auto [damping, gain] : {std::pair{1.0f, 0.0f}, {0.0f, 1.0f}, {0.5f, 0.9375f}}) {
        configure(model, {{GenPMDamping, damping}});
        render(model, constant(64, 1.0f));
        EXPECT_EQ(model.loopGain(), gain) << damping;
    }
    // Without loop gain nothing circulates between the loops: the strike dies
    // long before it does on a lightly damped surface.
    configure(model, {{GenPMDamping, 1.0f}});
    std::vector<float> dead = render(model, strike(22050));
    configure(model, {{GenPMDamping, 0.2f}});
    std::vector<float> ringing = render(model, strike(22050));
    EXPECT_LT(rms(dead, 11025, 22050), 1e-3 * rms(ringing, 11025, 22050));
}

TEST(PhysicalModelModule, WithoutDampingTheJunctionLosesNothing) {
    // Loop gain 1 and the junction's common reflection of -2/6 form an orthogonal
    // scattering: only the (here nearly open) damping low-passes take energy out.
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    configure(model, {{GenPMDamping, 0.0f}, {GenPMDampFreq, 20000.0f}});
    std::vector<float> out = render(model, strike(44100));
    EXPECT_GT(rms(out, 39690, 44100), 0.5 * rms(out, 441, 4410));
}

TEST(PhysicalModelModule, SizeScalesTheDelayLines) {
    const float rate = 192000.0f;
    PhysicalModelModule model;
    model.setSampleRate(rate);
    double sums[2] = {};
    for (int s = 0; s < 2; ++s) {
        configure(model, {{GenPMSize, static_cast<float>(s)}});
        render(model, constant(64, 1.0f));
        std::vector<double> exact = exactLengths(rate, s);
        for (int k = 0; k < 12; ++k) {
            EXPECT_NEAR(model.delayLength(k), exact[static_cast<size_t>(k)], 1.0) << "size " << s << " line " << k;
            sums[s] += model.delayLength(k);
        }
    }
    EXPECT_NEAR(sums[0] / sums[1], 0.3 / 5.0, 0.001);
}

TEST(PhysicalModelModule, TheFirstSoundLeavesAfterTheShortestLine) {
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    configure(model, {{GenPMSize, 1.0f}});
    std::vector<float> out = render(model, constant(256, 1.0f));
    int delay = model.delayLength(0);
    ASSERT_GT(delay, 1);
    for (int i = 0; i < delay; ++i)
        ASSERT_EQ(out[static_cast<size_t>(i)], 0.0f) << i;
    EXPECT_NE(out[static_cast<size_t>(delay)], 0.0f);
}

TEST(PhysicalModelModule, DynamicsOnlyActOnSofterHits) {
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    std::vector<float> fading(4096);
    for (size_t i = 0; i < fading.size(); ++i)
        fading[i] = 1.0f - static_cast<float>(i) / static_cast<float>(fading.size());
    auto hit = [&](float velocity, float dynamics) {
        configure(model, {{GenPMDynamicEnv, dynamics}});
        model.setVelocity(velocity);
        return render(model, fading);
    };
    EXPECT_EQ(hit(1.0f, 0.0f), hit(1.0f, 1.0f));
    // A soft hit with dynamics gets a steeper burst: less energy goes in.
    double plain = rms(hit(0.3f, 0.0f), 0, 4096);
    double dynamic = rms(hit(0.3f, 1.0f), 0, 4096);
    EXPECT_LT(dynamic, 0.7 * plain);
    EXPECT_GT(dynamic, 0.0);
}

TEST(PhysicalModelModule, AHitRingsAndDecays) {
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    configure(model, {{GenPMDamping, 0.5f}});
    std::vector<float> out = render(model, strike(44100));
    double early = rms(out, 441, 4410);
    double middle = rms(out, 4410, 8820);
    double late = rms(out, 39690, 44100);
    EXPECT_GT(early, 1e-4) << "the surface rings after the strike has ended";
    EXPECT_LT(middle, early);
    EXPECT_LT(late, 1e-3 * early);
}

TEST(PhysicalModelModule, RetriggerKeepsTheSurfaceAndResetSilencesIt) {
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    configure(model, {});
    std::vector<float> first = render(model, strike(4096));
    std::vector<float> after = render(model, constant(512, 0.0f), true);
    EXPECT_GT(rms(after, 0, 512), 0.0) << "a hit without excitation still hears the sounding surface";
    model.reset();
    std::vector<float> silent = render(model, constant(512, 0.0f), false);
    EXPECT_EQ(rms(silent, 0, 512), 0.0);
    model.reset();
    EXPECT_EQ(render(model, strike(4096)), first) << "after a reset a hit sounds as the first one did";
}

TEST(PhysicalModelModule, VolumeAndWeightGateTheModule) {
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    configure(model, {{GenPMVolume, 0.0f}});
    EXPECT_EQ(rms(render(model, constant(512, 1.0f)), 0, 512), 0.0);
    configure(model, {});
    EXPECT_EQ(rms(render(model, constant(512, 1.0f), true, 0.0f), 0, 512), 0.0);
}

TEST(PhysicalModelModule, StaysFiniteAtEveryExtreme) {
    const int first = GenPMSize;
    const float lows[8] = {0, 50, 0, 0, 0, 500, 0, 0};
    const float highs[8] = {1, 15000, 1, 1, 1, 20000, 1, 1};
    auto finite = [](PhysicalModelModule& model, float velocity) {
        model.setVelocity(velocity);
        std::vector<float> e = strike(8192);
        for (float& x : e)
            x = x > 0.0f ? 1.0f : 0.5f; // a sustained tail keeps the exciter busy
        for (float x : render(model, e))
            if (!std::isfinite(x) || std::fabs(x) > 1e3f)
                return false;
        return true;
    };
    PhysicalModelModule model;
    model.setSampleRate(kRate);
    for (const float* all : {lows, highs}) {
        for (int k = 0; k < 8; ++k)
            model.setValue(first + k, all[k], 0);
        model.setValue(GenPMVolume, 1.0f, 0); // audible, or the gate hides the rest
        model.reset();
        EXPECT_TRUE(finite(model, 1.0f)) << (all == lows ? "all low" : "all high");
    }
    for (int k = 0; k < 8; ++k) {
        for (float value : {lows[k], highs[k]}) {
            PhysicalModelModule single;
            single.setSampleRate(kRate);
            configure(single, {{first + k, value}});
            EXPECT_TRUE(finite(single, 0.2f)) << "parameter " << first + k << " at " << value;
        }
    }
}
