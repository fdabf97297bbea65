#include "AudioEngine.h"

#include <trommik2/control_ids.h>
#include <trommik2/effect_record.h>

#include <chrono>

#include "Recorder.h"
#include "apps/common/HostInstance.h"

int64_t AudioEngine::nowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

AudioEngine::AudioEngine(HostInstance& instance, const Settings& settings, SpscQueue<MidiEvent>* midi,
                         Recorder* recorder)
    : instance_(instance), effect_(static_cast<AEffect*>(instance.context().plugin)), sampleRate_(settings.sampleRate),
      maxFrames_(settings.maxFrames), midiClock_(settings.midiClock), midi_(midi), recorder_(recorder),
      transport_(settings.sampleRate, settings.tempo), map_(settings.midiChannel), clock_(settings.sampleRate) {
    if (settings.play)
        transport_.start();
    requests_.apply(transport_);
}

void AudioEngine::process(float* out, int frames, bool xrun, int64_t now) {
    if (xrun)
        xruns_.fetch_add(1, std::memory_order_relaxed);
    requests_.apply(transport_);
    clock_.begin(now, frames);
    int done = 0;
    for (;;) {
        const MidiEvent* event = midi_ ? midi_->front() : nullptr;
        const bool due = event && event->nanoseconds < clock_.start();
        int at = due ? clock_.frameOf(event->nanoseconds) : frames;
        at = at > done ? at : done;
        render(out, done, at);
        done = at;
        if (!due)
            break;
        apply(*event);
        midi_->dropFront();
    }
    if (recorder_)
        recorder_->push(out, frames);
    framesPlayed_.fetch_add(frames, std::memory_order_relaxed);
    requests_.apply(transport_);
    load_.add(nowNanoseconds() - now, int64_t{frames} * 1000000000 / sampleRate_);
}

void AudioEngine::render(float* out, int from, int to) {
    while (from < to) {
        int frames = transport_.chunk(to - from < maxFrames_ ? to - from : maxFrames_);
        instance_.setTempo(transport_.tempo());
        instance_.render(out + 2 * from, frames, transport_.modulePosition());
        transport_.advance(frames);
        from += frames;
    }
}

void AudioEngine::apply(const MidiEvent& event) {
    const MidiAction action = map_.interpret(event);
    switch (action.kind) {
    case MidiAction::Trigger:
        effect_->setParameter(effect_, kParamTriggerTrackFirst + action.track, action.velocity);
        notes_.fetch_add(1, std::memory_order_relaxed);
        break;
    case MidiAction::Start: transport_.start(); break;
    case MidiAction::Continue: transport_.resume(); break;
    case MidiAction::Stop:
        transport_.stop();
        clockTempo_.reset();
        break;
    case MidiAction::SongPosition: transport_.setSongPosition(action.sixteenths); break;
    case MidiAction::Clock: {
        float bpm = 0.0f;
        // A clock far outside what a drum machine plays is a broken sender.
        if (midiClock_ && clockTempo_.tick(event.nanoseconds, &bpm) && bpm >= kMinTempo && bpm <= kMaxTempo)
            transport_.setTempo(bpm);
        break;
    }
    case MidiAction::None: break;
    }
}
