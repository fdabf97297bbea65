#include "Lv2Plugin.h"

#include <lv2/atom/util.h>
#include <lv2/core/lv2_util.h>
#include <lv2/midi/midi.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <type_traits>

#include "EditorLink.h"
#include "SampleLinks.h"
#include "core/DrumMachine.h"

namespace trommik2::lv2 {

namespace {

// Reads an atom that holds a number of any of the four numeric types.
bool numberOf(const LV2_Atom* atom, const Lv2Uris& uris, double* value) {
    if (!atom)
        return false;
    if (atom->type == uris.atomFloat)
        *value = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    else if (atom->type == uris.atomDouble)
        *value = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    else if (atom->type == uris.atomInt)
        *value = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    else if (atom->type == uris.atomLong)
        *value = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    else
        return false;
    return std::isfinite(*value);
}

} // namespace

Lv2Plugin* Lv2Plugin::create(double sampleRate, const LV2_Feature* const* features) {
    const auto* map = static_cast<const LV2_URID_Map*>(lv2_features_data(features, LV2_URID__map));
    if (!map)
        return nullptr;
    const auto* schedule = static_cast<const LV2_Worker_Schedule*>(lv2_features_data(features, LV2_WORKER__schedule));
    return new Lv2Plugin(sampleRate, *map, schedule);
}

// The drum machine finds its content tree and configuration beside this
// shared object, inside the bundle, and loads the start-up setup.
Lv2Plugin::Lv2Plugin(double sampleRate, const LV2_URID_Map& map, const LV2_Worker_Schedule* schedule)
    : machine_(std::make_unique<DrumMachine>(&EditorLink::hostCallback)), uris_(map), schedule_(schedule),
      transport_(sampleRate) {
    machine_->setSampleRate(static_cast<float>(sampleRate));
}

Lv2Plugin::~Lv2Plugin() = default;

void Lv2Plugin::connectPort(uint32_t port, void* data) {
    if (port == kEvents) {
        events_ = static_cast<const LV2_Atom_Sequence*>(data);
    } else if (port == kOutLeft || port == kOutRight) {
        main_[port - kOutLeft] = static_cast<float*>(data);
    } else if (port >= kFirstTrackOutput && port < kMasterVolume) {
        tracks_[port - kFirstTrackOutput] = static_cast<float*>(data);
        anyTrackConnected_ = std::any_of(std::begin(tracks_), std::end(tracks_), [](float* p) { return p; });
    } else {
        controls_.connect(port, static_cast<const float*>(data));
    }
}

void Lv2Plugin::activate() {
    machine_->suspend();
    machine_->resume();
}

void Lv2Plugin::run(uint32_t frames) {
    controls_.takeChanges([this](uint32_t port, float value) { applyControl(port, value); });
    uint32_t done = 0;
    if (events_) {
        LV2_ATOM_SEQUENCE_FOREACH(events_, event) {
            const auto at = static_cast<uint32_t>(std::clamp<int64_t>(event->time.frames, done, frames));
            renderSpan(done, at);
            done = at;
            handleEvent(*event);
        }
    }
    renderSpan(done, frames);
}

// Rendering is cut at every event, so that a note or a transport change takes
// effect at the next control block after its own frame.
void Lv2Plugin::renderSpan(uint32_t from, uint32_t to) {
    if (to <= from)
        return;
    BlockRenderer& renderer = machine_->renderer();
    renderer.setHostPosition(transport_.renderPosition());
    renderer.setHostTempo(transport_.tempo());
    renderer.setTransportRolling(transport_.rolling());
    float* outputs[2] = {main_[0] + from, main_[1] + from};
    float* tracks[2 * kTrackCount];
    for (int i = 0; i < 2 * kTrackCount; ++i)
        tracks[i] = tracks_[i] ? tracks_[i] + from : nullptr;
    const auto frames = static_cast<int>(to - from);
    renderer.render(outputs, frames, false, anyTrackConnected_ ? tracks : nullptr);
    transport_.advance(frames);
}

int Lv2Plugin::targetTrack() const {
    const float track = controls_.value(kTargetTrack, 1.0f);
    return std::clamp(static_cast<int>(std::lround(track)), 1, kTrackCount) - 1;
}

void Lv2Plugin::applyControl(uint32_t port, float value) {
    if (port == kMasterVolume) {
        const float db = std::clamp(value, kMinVolumeDb, kMaxVolumeDb);
        machine_->setParameter(kParamMasterVolume, (db - kMinVolumeDb) / (kMaxVolumeDb - kMinVolumeDb));
    } else if (port == kShuffle) {
        machine_->sequencer().setShuffle(std::clamp(static_cast<int>(std::lround(value)), 0, 100));
    } else if (port >= kFirstParameter && port < kPortCount) {
        const ParameterWrite write{targetTrack(), static_cast<int>(port - kFirstParameter),
                                   std::clamp(value, 0.0f, 1.0f)};
        if (!PluginController::swapsUnderLock(write.index))
            machine_->controller().setInstrumentValue(write.track, write.index, write.value);
        else if (schedule_)
            schedule_->schedule_work(schedule_->handle, sizeof write, &write);
    }
    // The target track and the base note are read where they are used.
}

LV2_Worker_Status Lv2Plugin::work(LV2_Worker_Respond_Function, LV2_Worker_Respond_Handle, uint32_t size,
                                  const void* data) {
    if (size != sizeof(ParameterWrite))
        return LV2_WORKER_ERR_UNKNOWN;
    const auto* write = static_cast<const ParameterWrite*>(data);
    machine_->controller().setInstrumentValue(write->track, write->index, write->value);
    return LV2_WORKER_SUCCESS;
}

void Lv2Plugin::handleEvent(const LV2_Atom_Event& event) {
    if (event.body.type == uris_.midiEvent) {
        handleNote(reinterpret_cast<const uint8_t*>(&event.body + 1), event.body.size);
    } else if (event.body.type == uris_.atomObject || event.body.type == uris_.atomBlank) {
        const auto& object = reinterpret_cast<const LV2_Atom_Object&>(event.body);
        if (object.body.otype == uris_.timePosition)
            handlePosition(object);
    }
}

// Note-ons from the base note up play the sixteen tracks on any channel;
// velocity 0 and note-offs are ignored, as hits ring out by themselves.
void Lv2Plugin::handleNote(const uint8_t* message, uint32_t size) {
    if (size < 3 || lv2_midi_message_type(message) != LV2_MIDI_MSG_NOTE_ON || message[2] == 0)
        return;
    const int base = static_cast<int>(std::lround(controls_.value(kBaseNote, kFirstNote)));
    const int track = message[1] - base;
    if (track >= 0 && track < kTrackCount)
        machine_->renderer().requestTrigger(track, static_cast<float>(message[2]) / 127.0f);
}

void Lv2Plugin::handlePosition(const LV2_Atom_Object& object) {
    const LV2_Atom *speed = nullptr, *bpm = nullptr, *bar = nullptr, *barBeat = nullptr, *beatsPerBar = nullptr,
                   *beatUnit = nullptr, *frame = nullptr;
    lv2_atom_object_get(&object, uris_.timeSpeed, &speed, uris_.timeBeatsPerMinute, &bpm, uris_.timeBar, &bar,
                        uris_.timeBarBeat, &barBeat, uris_.timeBeatsPerBar, &beatsPerBar, uris_.timeBeatUnit, &beatUnit,
                        uris_.timeFrame, &frame, 0);
    HostTimePosition p;
    // Each field the host gave, in the type the follower keeps it in.
    auto take = [this](const LV2_Atom* atom, bool& has, auto& field) {
        double v = 0.0;
        if ((has = numberOf(atom, uris_, &v)))
            field = static_cast<std::remove_reference_t<decltype(field)>>(v);
    };
    take(speed, p.hasSpeed, p.speed);
    take(bpm, p.hasBpm, p.bpm);
    take(bar, p.hasBar, p.bar);
    take(barBeat, p.hasBarBeat, p.barBeat);
    take(beatsPerBar, p.hasBeatsPerBar, p.beatsPerBar);
    take(beatUnit, p.hasBeatUnit, p.beatUnit);
    take(frame, p.hasFrame, p.frame);
    transport_.apply(p);
}

LV2_State_Status Lv2Plugin::save(LV2_State_Store_Function store, LV2_State_Handle handle,
                                 const LV2_Feature* const* features) {
    std::string text;
    machine_->saveState(text);
    const uint32_t flags = LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE;
    LV2_State_Status status = store(handle, uris_.setup, text.c_str(), text.size() + 1, uris_.atomString, flags);
    if (status != LV2_STATE_SUCCESS)
        return status;
    SampleLinks links(features);
    for (int t = 0; t < kTrackCount && status == LV2_STATE_SUCCESS; ++t) {
        const std::string path = links.abstractPath(t, machine_->bank().track(t).samplePath);
        if (!path.empty())
            status = store(handle, uris_.sample[t], path.c_str(), path.size() + 1, uris_.atomPath, flags);
    }
    return status;
}

// A project without our state (a host resetting the plug-in) changes nothing.
LV2_State_Status Lv2Plugin::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                                    const LV2_Feature* const* features) {
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const auto* text = static_cast<const char*>(retrieve(handle, uris_.setup, &size, &type, &flags));
    if (!text || type != uris_.atomString || size == 0 || text[size - 1] != '\0')
        return LV2_STATE_SUCCESS;
    std::string setup(text, size - 1);
    SampleLinks links(features);
    for (int t = 0; t < kTrackCount; ++t) {
        const auto* path = static_cast<const char*>(retrieve(handle, uris_.sample[t], &size, &type, &flags));
        if (path && type == uris_.atomPath && size > 0 && path[size - 1] == '\0')
            links.relink(setup, t, path, machine_->contentFolders());
    }
    return machine_->loadState(setup.c_str()) ? LV2_STATE_SUCCESS : LV2_STATE_ERR_UNKNOWN;
}

} // namespace trommik2::lv2
