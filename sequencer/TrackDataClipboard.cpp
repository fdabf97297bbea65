#include "TrackDataClipboard.h"

namespace trommik2 {

void TrackDataClipboard::copy(const TrackPattern& track) {
    for (int i = 0; i < kSlotCount; ++i) {
        velocity_[i] = track.velocity(i);
        for (int p = 0; p < kParameterCount; ++p)
            automation_[i][p] = track.automationValue(p, i);
    }
    for (int p = 0; p < kParameterCount; ++p) {
        scale_[p] = track.automationScale(p);
        random_[p] = track.automationRandom(p);
    }
    velocityRandom_ = track.velocityRandom();
    hasData_ = true;
}

bool TrackDataClipboard::paste(TrackPattern& track) const {
    if (!hasData_)
        return false;
    for (int i = 0; i < kSlotCount; ++i)
        track.setStep(i, velocity_[i]);
    for (int i = 0; i < kSlotCount; ++i)
        for (int p = 0; p < kParameterCount; ++p)
            track.setAutomationPoint(p, i, automation_[i][p]);
    for (int p = 0; p < kParameterCount; ++p) {
        track.setAutomationScale(p, scale_[p]);
        track.setAutomationRandom(p, random_[p]);
    }
    track.setVelocityRandom(velocityRandom_);
    return true;
}

} // namespace trommik2
