#pragma once

#include <cstdint>

#include "params/ParameterIndex.h"

namespace trommik2::lv2 {

// The names and the port order the plug-in, its description and its user
// interface share. The description is generated from these at build time.
constexpr const char* kPluginUri = "urn:trommik2:lv2";
constexpr const char* kUiUri = "urn:trommik2:lv2#ui";
constexpr const char* kPresetUriPrefix = "urn:trommik2:lv2:preset:";
// State keys: the setup text, and each track's sample file (key prefix + 0..15).
constexpr const char* kSetupKey = "urn:trommik2:lv2#setup";
constexpr const char* kSampleKeyPrefix = "urn:trommik2:lv2#sample";
constexpr const char* kBinary = "trommik2.so";
constexpr const char* kUiBinary = "trommik2_ui.so";

constexpr int kTrackCount = 16;
constexpr int kFirstNote = 36;

// Port indices.
constexpr uint32_t kEvents = 0;
constexpr uint32_t kOutLeft = 1;
constexpr uint32_t kOutRight = 2;
constexpr uint32_t kFirstTrackOutput = 3; // track t: left 3 + 2t, right 4 + 2t
constexpr uint32_t kMasterVolume = kFirstTrackOutput + 2 * kTrackCount;
constexpr uint32_t kShuffle = kMasterVolume + 1;
constexpr uint32_t kTargetTrack = kShuffle + 1;
constexpr uint32_t kBaseNote = kTargetTrack + 1;
constexpr uint32_t kFirstParameter = kBaseNote + 1; // instrument parameter i: kFirstParameter + i
constexpr uint32_t kPortCount = kFirstParameter + kParameterCount;

// Master volume in dB, as the editor's fader spans it.
constexpr float kMinVolumeDb = -42.0f;
constexpr float kMaxVolumeDb = 6.0f;

} // namespace trommik2::lv2
