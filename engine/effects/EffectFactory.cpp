#include "EffectFactory.h"

#include "AnalogueFilter.h"
#include "Distortion.h"
#include "FdnReverb.h"
#include "LoFi.h"
#include "ModulatedDelay.h"
#include "MonoDelay.h"
#include "Phaser.h"
#include "StereoDelay.h"
#include "VintageCompressor.h"
#include "params/EffectNames.h"

namespace trommik2 {

std::unique_ptr<Effect> createEffect(int type) {
    switch (type) {
    case kMonoDelayMs: return std::make_unique<MonoDelay>(false);
    case kStereoDelaySync: return std::make_unique<StereoDelay>(StereoDelay::Timing::kSynced);
    case kStereoDelayMs: return std::make_unique<StereoDelay>(StereoDelay::Timing::kMilliseconds);
    case kChorus: return std::make_unique<ModulatedDelay>(ModulatedDelay::Kind::kChorus);
    case kFlanger: return std::make_unique<ModulatedDelay>(ModulatedDelay::Kind::kFlanger);
    case kPhaser: return std::make_unique<Phaser>();
    case kRoomReverb: return std::make_unique<FdnReverb>(FdnReverb::Size::kRoom);
    case kHallReverb: return std::make_unique<FdnReverb>(FdnReverb::Size::kHall);
    case kLoFi: return std::make_unique<LoFi>();
    case kDistortion: return std::make_unique<Distortion>();
    case kAnalogueFilter12: return std::make_unique<AnalogueFilter>(12);
    case kAnalogueFilter24: return std::make_unique<AnalogueFilter>(24);
    case kVintageCompressor: return std::make_unique<VintageCompressor>();
    default: return std::make_unique<MonoDelay>(true);
    }
}

} // namespace trommik2
