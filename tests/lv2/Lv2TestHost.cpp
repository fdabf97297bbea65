#include "Lv2TestHost.h"

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/presets/presets.h>
#include <lv2/state/state.h>
#include <lv2/time/time.h>

#include <algorithm>
#include <filesystem>

namespace trommik2::lv2 {

namespace {

constexpr int kMaxBlock = 8192;
constexpr size_t kSequenceBytes = 8192;

} // namespace

Lv2TestHost::Lv2TestHost() : world_(lilv_world_new()) {
    map_ = {this, [](LV2_URID_Map_Handle self, const char* uri) { return static_cast<Lv2TestHost*>(self)->map(uri); }};
    unmap_ = {this, [](LV2_URID_Unmap_Handle self, LV2_URID id) { return static_cast<Lv2TestHost*>(self)->unmap(id); }};
    // Our bundle and the bundles of the LV2 standard, nothing else that may be installed.
    const std::string path = std::filesystem::path(TROMMIK2_LV2_BUNDLE).parent_path().string() + ":/usr/lib/lv2";
    LilvNode* lv2Path = lilv_new_string(world_, path.c_str());
    lilv_world_set_option(world_, LILV_OPTION_LV2_PATH, lv2Path);
    lilv_node_free(lv2Path);
    lilv_world_load_all(world_);
    LilvNode* uri = lilv_new_uri(world_, kPluginUri);
    plugin_ = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world_), uri);
    lilv_node_free(uri);
}

Lv2TestHost::~Lv2TestHost() {
    if (presets_)
        lilv_nodes_free(presets_);
    lilv_world_free(world_);
}

LV2_URID Lv2TestHost::map(const char* uri) {
    auto [it, added] = ids_.emplace(uri, static_cast<LV2_URID>(uris_.size() + 1));
    if (added)
        uris_.push_back(uri);
    return it->second;
}

const char* Lv2TestHost::unmap(LV2_URID id) const {
    return id >= 1 && id <= uris_.size() ? uris_[id - 1].c_str() : nullptr;
}

std::vector<std::string> Lv2TestHost::presetLabels() {
    std::vector<std::string> labels;
    forEachPreset([&](const LilvNode*, const std::string& label) { labels.push_back(label); });
    return labels;
}

const LilvNode* Lv2TestHost::preset(const std::string& label) {
    const LilvNode* found = nullptr;
    forEachPreset([&](const LilvNode* preset, const std::string& name) {
        if (name == label)
            found = preset;
    });
    return found;
}

void Lv2TestHost::forEachPreset(const std::function<void(const LilvNode*, const std::string&)>& visit) {
    LilvNode* presetClass = lilv_new_uri(world_, LV2_PRESETS__Preset);
    LilvNode* labelKey = lilv_new_uri(world_, LILV_NS_RDFS "label");
    if (!presets_)
        presets_ = lilv_plugin_get_related(plugin_, presetClass);
    LILV_FOREACH(nodes, i, presets_) {
        const LilvNode* preset = lilv_nodes_get(presets_, i);
        lilv_world_load_resource(world_, preset);
        LilvNode* name = lilv_world_get(world_, preset, labelKey, nullptr);
        visit(preset, name ? lilv_node_as_string(name) : "");
        lilv_node_free(name);
    }
    lilv_node_free(labelKey);
    lilv_node_free(presetClass);
}

LilvState* Lv2TestHost::loadState(const std::string& folder) {
    const std::string file = folder + "/state.ttl";
    return lilv_state_new_from_file(world_, &map_, nullptr, file.c_str());
}

Lv2TestInstance::Lv2TestInstance(Lv2TestHost& host, bool withTracks)
    : host_(host), withTracks_(withTracks), sequence_(kSequenceBytes / sizeof(uint64_t)) {
    LV2_Feature map{LV2_URID__map, host.mapFeature()};
    LV2_Feature unmap{LV2_URID__unmap, host.unmapFeature()};
    LV2_Feature schedule{LV2_WORKER__schedule, &schedule_};
    const LV2_Feature* features[] = {&map, &unmap, &schedule, nullptr};
    if (!host.plugin())
        return;
    instance_ = lilv_plugin_instantiate(host.plugin(), kRate, features);
    if (!instance_)
        return;
    lv2_atom_forge_init(&forge_, host.mapFeature());
    std::vector<float> defaults(kPortCount);
    lilv_plugin_get_port_ranges_float(host.plugin(), nullptr, nullptr, defaults.data());
    for (uint32_t p = kMasterVolume; p < kPortCount; ++p) {
        controls_[p - kMasterVolume] = defaults[p];
        lilv_instance_connect_port(instance_, p, &controls_[p - kMasterVolume]);
    }
    lilv_instance_connect_port(instance_, kEvents, sequence_.data());
    for (int b = 0; b < 2 + 2 * kTrackCount; ++b) {
        buffers_[b].assign(kMaxBlock, 0.0f);
        if (b < 2 || withTracks)
            lilv_instance_connect_port(instance_, kOutLeft + b, buffers_[b].data());
    }
    lilv_instance_activate(instance_);
}

Lv2TestInstance::~Lv2TestInstance() {
    if (!instance_)
        return;
    lilv_instance_deactivate(instance_);
    lilv_instance_free(instance_);
}

void Lv2TestInstance::transport(uint32_t at, float speed, float bpm, int64_t bar, float barBeat) {
    events_.push_back({at, false, speed, bpm, bar, barBeat, 0, 0});
}

void Lv2TestInstance::note(uint32_t at, uint8_t note, uint8_t velocity) {
    events_.push_back({at, true, 0.0f, 0.0f, 0, 0.0f, note, velocity});
}

// A host like most: the position object carries the frame, bar, beat, meter, tempo and speed.
void Lv2TestInstance::writeEvents() {
    lv2_atom_forge_set_buffer(&forge_, reinterpret_cast<uint8_t*>(sequence_.data()), kSequenceBytes);
    LV2_Atom_Forge_Frame sequence;
    lv2_atom_forge_sequence_head(&forge_, &sequence, 0);
    std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) { return a.at < b.at; });
    for (const Event& e : events_) {
        lv2_atom_forge_frame_time(&forge_, e.at);
        if (e.isNote) {
            const uint8_t message[3] = {LV2_MIDI_MSG_NOTE_ON, e.note, e.velocity};
            lv2_atom_forge_atom(&forge_, sizeof message, host_.map(LV2_MIDI__MidiEvent));
            lv2_atom_forge_write(&forge_, message, sizeof message);
            continue;
        }
        LV2_Atom_Forge_Frame object;
        lv2_atom_forge_object(&forge_, &object, 0, host_.map(LV2_TIME__Position));
        const double beats = static_cast<double>(e.bar) * 4.0 + e.barBeat;
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__frame));
        lv2_atom_forge_long(&forge_, static_cast<int64_t>(beats * 60.0 / e.bpm * kRate));
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__speed));
        lv2_atom_forge_float(&forge_, e.speed);
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__beatsPerMinute));
        lv2_atom_forge_float(&forge_, e.bpm);
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__bar));
        lv2_atom_forge_long(&forge_, e.bar);
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__barBeat));
        lv2_atom_forge_float(&forge_, e.barBeat);
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__beatsPerBar));
        lv2_atom_forge_float(&forge_, 4.0f);
        lv2_atom_forge_key(&forge_, host_.map(LV2_TIME__beatUnit));
        lv2_atom_forge_int(&forge_, 4);
        lv2_atom_forge_pop(&forge_, &object);
    }
    lv2_atom_forge_pop(&forge_, &sequence);
    events_.clear();
}

void Lv2TestInstance::render(int frames, int block) {
    const auto* worker =
        static_cast<const LV2_Worker_Interface*>(lilv_instance_get_extension_data(instance_, LV2_WORKER__interface));
    for (int done = 0; done < frames;) {
        const int n = std::min({block, frames - done, kMaxBlock});
        writeEvents();
        lilv_instance_run(instance_, static_cast<uint32_t>(n));
        for (int b = 0; b < 2 + 2 * kTrackCount; ++b)
            if (b < 2 || withTracks_)
                out_[b].insert(out_[b].end(), buffers_[b].begin(), buffers_[b].begin() + n);
        for (const std::vector<uint8_t>& job : work_)
            worker->work(lilv_instance_get_handle(instance_), respond, nullptr, static_cast<uint32_t>(job.size()),
                         job.data());
        work_.clear();
        done += n;
    }
}

void Lv2TestInstance::clearOutputs() {
    for (std::vector<float>& out : out_)
        out.clear();
}

LV2_Worker_Status Lv2TestInstance::schedule(LV2_Worker_Schedule_Handle self, uint32_t size, const void* data) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    static_cast<Lv2TestInstance*>(self)->work_.emplace_back(bytes, bytes + size);
    return LV2_WORKER_SUCCESS;
}

LV2_Worker_Status Lv2TestInstance::respond(LV2_Worker_Respond_Handle, uint32_t, const void*) {
    return LV2_WORKER_SUCCESS;
}

const void* Lv2TestInstance::portValue(const char* symbol, void* self, uint32_t* size, uint32_t* type) {
    auto* instance = static_cast<Lv2TestInstance*>(self);
    LilvNode* name = lilv_new_string(instance->host_.world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(instance->host_.plugin(), name);
    lilv_node_free(name);
    const uint32_t index = port ? lilv_port_get_index(instance->host_.plugin(), port) : 0;
    if (index < kMasterVolume)
        return nullptr;
    *size = sizeof(float);
    *type = instance->host_.map(LV2_ATOM__Float);
    return &instance->controls_[index - kMasterVolume];
}

void Lv2TestInstance::setPortValue(const char* symbol, void* self, const void* value, uint32_t size, uint32_t) {
    auto* instance = static_cast<Lv2TestInstance*>(self);
    LilvNode* name = lilv_new_string(instance->host_.world(), symbol);
    const LilvPort* port = lilv_plugin_get_port_by_symbol(instance->host_.plugin(), name);
    lilv_node_free(name);
    const uint32_t index = port ? lilv_port_get_index(instance->host_.plugin(), port) : 0;
    if (index >= kMasterVolume && index < kPortCount && size == sizeof(float))
        instance->controls_[index - kMasterVolume] = *static_cast<const float*>(value);
}

bool Lv2TestInstance::saveState(const std::string& folder) {
    const std::string scratch = folder + "/scratch";
    LilvState* state = lilv_state_new_from_instance(host_.plugin(), instance_, host_.mapFeature(), scratch.c_str(),
                                                    folder.c_str(), folder.c_str(), folder.c_str(), portValue, this,
                                                    LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE, nullptr);
    if (!state)
        return false;
    const int saved = lilv_state_save(host_.world(), host_.mapFeature(), host_.unmapFeature(), state, nullptr,
                                      folder.c_str(), "state.ttl");
    lilv_state_free(state);
    return saved == 0;
}

void Lv2TestInstance::reset() {
    lilv_instance_deactivate(instance_);
    lilv_instance_activate(instance_);
}

void Lv2TestInstance::restore(const LilvState* state) {
    LV2_Feature schedule{LV2_WORKER__schedule, &schedule_};
    const LV2_Feature* features[] = {&schedule, nullptr};
    lilv_state_restore(state, instance_, setPortValue, this, 0, features);
}

Lv2Plugin& Lv2TestInstance::plugin() { return *static_cast<Lv2Plugin*>(lilv_instance_get_handle(instance_)); }

} // namespace trommik2::lv2
