#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>
#include <lv2/urid/urid.h>
#include <lv2/worker/worker.h>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lv2/PortLayout.h"

namespace trommik2::lv2 {

class Lv2Plugin;

// A host of the tests' own on lilv: the world with the built bundle, a URID
// map, and instances of the instrument with every port connected, a worker
// run after each block, events for the next block, and state.
class Lv2TestHost {
  public:
    Lv2TestHost();
    ~Lv2TestHost();

    LilvWorld* world() const { return world_; }
    const LilvPlugin* plugin() const { return plugin_; }
    LV2_URID map(const char* uri);
    const char* unmap(LV2_URID id) const;
    LV2_URID_Map* mapFeature() { return &map_; }
    LV2_URID_Unmap* unmapFeature() { return &unmap_; }
    // The preset of that label, or null.
    const LilvNode* preset(const std::string& label);
    // The labels of every preset of the plug-in.
    std::vector<std::string> presetLabels();
    // A state saved into folder by saveState, read back (null when it cannot be).
    LilvState* loadState(const std::string& folder);

  private:
    void forEachPreset(const std::function<void(const LilvNode*, const std::string&)>& visit);

    LilvWorld* world_;
    const LilvPlugin* plugin_ = nullptr;
    LilvNodes* presets_ = nullptr;
    std::map<std::string, LV2_URID> ids_;
    std::vector<std::string> uris_;
    LV2_URID_Map map_;
    LV2_URID_Unmap unmap_;
};

class Lv2TestInstance {
  public:
    static constexpr double kRate = 44100.0;

    // withTracks connects the sixteen track outputs too.
    explicit Lv2TestInstance(Lv2TestHost& host, bool withTracks = true);
    ~Lv2TestInstance();
    bool valid() const { return instance_ != nullptr; }

    // Events for the first block of the next render, at a frame within it.
    void transport(uint32_t at, float speed, float bpm, int64_t bar = 0, float barBeat = 0.0f);
    void note(uint32_t at, uint8_t note, uint8_t velocity);
    void setControl(uint32_t port, float value) { controls_[port - kMasterVolume] = value; }
    float control(uint32_t port) const { return controls_[port - kMasterVolume]; }

    // Renders frames in blocks of at most block frames, appended to the outputs.
    void render(int frames, int block);
    void clearOutputs();
    const std::vector<float>& left() const { return out_[0]; }
    const std::vector<float>& right() const { return out_[1]; }
    const std::vector<float>& track(int t, int channel) const { return out_[2 + 2 * t + channel]; }

    // State through lilv, as lilv's hosts keep it in a folder of their own.
    bool saveState(const std::string& folder);
    void restore(const LilvState* state);
    // Deactivates and activates the instance, as hosts do around a pause.
    void reset();
    Lv2Plugin& plugin();

  private:
    struct Event {
        uint32_t at;
        bool isNote;
        float speed, bpm;
        int64_t bar;
        float barBeat;
        uint8_t note, velocity;
    };
    void writeEvents();
    static const void* portValue(const char* symbol, void* self, uint32_t* size, uint32_t* type);
    static void setPortValue(const char* symbol, void* self, const void* value, uint32_t size, uint32_t type);
    static LV2_Worker_Status schedule(LV2_Worker_Schedule_Handle self, uint32_t size, const void* data);
    static LV2_Worker_Status respond(LV2_Worker_Respond_Handle, uint32_t, const void*);

    Lv2TestHost& host_;
    bool withTracks_;
    LilvInstance* instance_ = nullptr;
    LV2_Worker_Schedule schedule_{this, schedule};
    std::vector<std::vector<uint8_t>> work_;
    std::vector<Event> events_;
    std::vector<uint64_t> sequence_;
    LV2_Atom_Forge forge_;
    float controls_[kPortCount - kMasterVolume] = {};
    std::vector<float> buffers_[2 + 2 * kTrackCount];
    std::vector<float> out_[2 + 2 * kTrackCount];
};

} // namespace trommik2::lv2
