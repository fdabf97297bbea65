#pragma once

#include <memory>
#include <optional>

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>
#include <lv2/worker/worker.h>

#include "ControlPorts.h"
#include "Lv2Uris.h"
#include "TransportFollower.h"

namespace trommik2 {

class DrumMachine;

namespace lv2 {

// One instance of the LV2 instrument: a drum machine, driven through the
// renderer by the host's transport and notes, its parameters by the control
// ports, its state by the state extension.
//
// Threads: run() is the host's audio thread and never allocates, waits on a
// lock another thread holds for long, or touches files. Parameters whose write
// replaces an effect or sizes its buffers go to the worker. save() runs on any
// thread beside run(); restore() and the constructor on the host's main thread.
class Lv2Plugin {
  public:
    // Null when the host lacks urid:map.
    static Lv2Plugin* create(double sampleRate, const LV2_Feature* const* features);
    ~Lv2Plugin();

    void connectPort(uint32_t port, void* data);
    void activate();
    void run(uint32_t frames);

    LV2_Worker_Status work(LV2_Worker_Respond_Function respond, LV2_Worker_Respond_Handle handle, uint32_t size,
                           const void* data);
    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle, const LV2_Feature* const* features);
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle,
                             const LV2_Feature* const* features);

    DrumMachine& machine() { return *machine_; }

  private:
    // A parameter write handed to the worker.
    struct ParameterWrite {
        int track;
        int index;
        float value;
    };

    Lv2Plugin(double sampleRate, const LV2_URID_Map& map, const LV2_Worker_Schedule* schedule);

    void applyControl(uint32_t port, float value);
    void handleEvent(const LV2_Atom_Event& event);
    void handleNote(const uint8_t* message, uint32_t size);
    void handlePosition(const LV2_Atom_Object& object);
    void renderSpan(uint32_t from, uint32_t to);
    int targetTrack() const;

    std::unique_ptr<DrumMachine> machine_;
    Lv2Uris uris_;
    const LV2_Worker_Schedule* schedule_;
    TransportFollower transport_;
    ControlPorts controls_;
    const LV2_Atom_Sequence* events_ = nullptr;
    float* main_[2] = {};
    float* tracks_[2 * kTrackCount] = {};
    bool anyTrackConnected_ = false;
};

} // namespace lv2
} // namespace trommik2
