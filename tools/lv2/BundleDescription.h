#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace trommik2 {

class DrumMachine;

// Writes the bundle's description from the code it describes: the manifest,
// the plug-in with every port (the instrument parameters from the parameter
// table, the defaults from the start-up setup) and its user interface, and one
// preset per factory setup.
class BundleDescription {
  public:
    struct Preset {
        std::string name; // "House/Deep", as the setup folder holds it
        std::string text; // the setup document
        float volumeDb;
        int shuffle;
    };

    // machine holds the start-up setup.
    explicit BundleDescription(DrumMachine& machine);

    // Reads every setup below folder; false when one does not load.
    bool addPresets(const std::string& folder, std::string* error);

    void writeManifest(std::ostream& out) const;
    void writePlugin(std::ostream& out) const;
    void writePresets(std::ostream& out) const;

  private:
    void writePorts(std::ostream& out) const;
    void writeParameterPorts(std::ostream& out) const;

    DrumMachine& machine_;
    float defaultVolumeDb_;
    int defaultShuffle_;
    std::vector<Preset> presets_;
};

} // namespace trommik2
