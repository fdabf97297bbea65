#include "SampleLinks.h"

#include <lv2/core/lv2_util.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "content/ContentFolders.h"
#include "content/PresetXml.h"

namespace trommik2::lv2 {

namespace fs = std::filesystem;

SampleLinks::SampleLinks(const LV2_Feature* const* features)
    : map_(static_cast<const LV2_State_Map_Path*>(lv2_features_data(features, LV2_STATE__mapPath))),
      make_(static_cast<const LV2_State_Make_Path*>(lv2_features_data(features, LV2_STATE__makePath))),
      free_(static_cast<const LV2_State_Free_Path*>(lv2_features_data(features, LV2_STATE__freePath))) {}

std::string SampleLinks::take(char* path) const {
    if (!path)
        return "";
    std::string taken(path);
    if (free_)
        free_->free_path(free_->handle, path);
    else
        std::free(path);
    return taken;
}

std::string SampleLinks::abstractPath(int track, const std::string& samplePath) const {
    std::error_code ec;
    if (!map_ || !fs::path(samplePath).is_absolute() || !fs::is_regular_file(samplePath, ec))
        return "";
    const std::string file = make_ ? copyIntoState(track, samplePath) : samplePath;
    return take(map_->abstract_path(map_->handle, file.c_str()));
}

// Tracks may play different files of one name: each copy is named after its track too.
std::string SampleLinks::copyIntoState(int track, const std::string& samplePath) const {
    const std::string name = "samples/" + std::to_string(track + 1) + "-" + fs::path(samplePath).filename().string();
    const std::string copy = take(make_->path(make_->handle, name.c_str()));
    std::error_code ec;
    if (copy.empty())
        return samplePath;
    if (fs::exists(copy, ec) &&
        (fs::equivalent(copy, samplePath, ec) || fs::file_size(copy, ec) == fs::file_size(samplePath, ec)))
        return copy;
    fs::create_directories(fs::path(copy).parent_path(), ec);
    return fs::copy_file(samplePath, copy, fs::copy_options::overwrite_existing, ec) ? copy : samplePath;
}

void SampleLinks::relink(std::string& setup, int track, const char* abstractPath, const ContentFolders& folders) const {
    if (!map_)
        return;
    const std::string file = take(map_->absolute_path(map_->handle, abstractPath));
    std::error_code ec;
    TiXmlDocument document;
    if (file.empty() || !fs::is_regular_file(file, ec) || !PresetXml::parse(setup.c_str(), document))
        return;
    TiXmlElement* instrument = TiXmlHandle(&document)
                                   .FirstChildElement("preset")
                                   .FirstChildElement("setup")
                                   .FirstChildElement("drumkit")
                                   .FirstChildElement("instruments")
                                   .ChildElement("instrument", track)
                                   .ToElement();
    TiXmlElement* sample = instrument ? instrument->FirstChildElement("sample") : nullptr;
    if (!sample)
        return;
    sample->SetAttribute("name", folders.relativeName(file, kContentSamples) + fs::path(file).extension().string());
    setup.clear();
    PresetXml::appendText(document, setup);
}

} // namespace trommik2::lv2
