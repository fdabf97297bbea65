#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "ChangeFlag.h"
#include "ModuleParameter.h"

namespace trommik2 {

// The base of every module of an instrument voice: it owns the instrument
// parameters firstIndex .. firstIndex + count - 1 with their value slots and
// smoothing. Index arguments are absolute parameter indices; an index outside
// the module's range is ignored by setters and reads as 0.
// Setters run on the user-interface thread or, for automation, on the audio
// thread inside block processing; everything else on the audio thread.
class SoundModule {
  public:
    // name: a literal (it is kept, not copied).
    SoundModule(const char* name, int firstIndex, int count);
    virtual ~SoundModule() = default;
    SoundModule(const SoundModule&) = delete;
    SoundModule& operator=(const SoundModule&) = delete;

    virtual void setFirstIndex(int index);
    virtual int firstIndex() const;
    virtual void setSmoothingTime(int index, float ms);
    virtual void setValue(int index, float value, int slot);
    virtual void setOffset(int index, float value);
    // In the header, so that a call on a module of known type (the generator's
    // type and mix) is inlined: it is read every control block.
    virtual float value(int index, int slot) const {
        if (!owns(index) || slot < 0 || slot >= 4)
            return 0.0f;
        return parameters_[index - firstIndex_].slot[slot];
    }
    virtual void setSampleRate(float rate);
    virtual void setVelocity(float velocity);
    virtual float velocity() const;
    virtual void reset();

    const char* name() const { return name_; }
    int count() const { return static_cast<int>(parameters_.size()); }
    bool owns(int index) const { return index >= firstIndex_ && index < firstIndex_ + count(); }
    // Audio thread, once per control block: moves every smoothed value toward its target.
    void smoothParameters();
    // Audio thread: the last smoothing pass moved nothing.
    bool settled() const { return settled_; }
    // Before use: every write of a value raises flag too.
    void reportChangesTo(ChangeFlag* flag) { changed_.forwardTo(flag); }
    // Audio thread: changes whenever the smoothed or target values may have
    // changed (a smoothing pass ran, or the sample rate changed). What a block
    // derives from them holds as long as this stays the same.
    uint64_t valuesVersion() const { return valuesVersion_; }
    // Audio thread: the module starts as a new one at the values it holds now
    // (automation offsets kept): signal state cleared, nothing left to smooth.
    void restart();

  protected:
    // Construction defaults: base, target and smoothed value of a parameter.
    void setDefault(int index, float value);
    // Smoothed and target values by absolute index, for the module's own use.
    float smoothed(int index) const { return parameters_[index - firstIndex_].slot[ModuleParameter::kSmoothed]; }
    float target(int index) const { return parameters_[index - firstIndex_].slot[ModuleParameter::kTarget]; }

    float sampleRate_ = 44100.0f;
    float twoOverSampleRate_ = 2.0f / 44100.0f;
    float velocity_ = 1.0f;
    bool resetPending_ = false;

  private:
    // A literal: every module is named by one.
    const char* name_;
    int firstIndex_;
    std::vector<ModuleParameter> parameters_;
    // Raised by every write of a value slot; taken down by the smoothing pass.
    ChangeFlag changed_;
    bool settled_ = false;
    uint64_t valuesVersion_ = 1;
};

} // namespace trommik2
