// The configuration reader on arbitrary files: the input (after two bytes that
// choose the values to write) becomes the configuration file, every key the
// plug-in reads is read, then the keys it writes are written. What was written
// reads back as written; the keys not written read as before.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

#include "FuzzContent.h"
#include "support/Configuration.h"

using namespace trommik2;

namespace {

struct Settings {
    bool editMode = true;
    bool schematics = true;
    int left = 0;
    int top = 0;
    std::string setup;

    explicit Settings(const Configuration& configuration) {
        configuration.readBool("Editor", "Editmode", &editMode);
        configuration.readBool("Editor", "DisplayParamScheme", &schematics);
        configuration.readInt("Editor", "WndPosX", &left);
        configuration.readInt("Editor", "WndPosY", &top);
        setup = configuration.readString("Presets", "DefaultSetup", "default", 261);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const bool editMode = in.ConsumeBool();
    const int left = in.ConsumeIntegral<int>();
    const std::string path = fuzzing::contentRoot() + "/Trommik2.ini";
    {
        const std::string file = in.ConsumeRemainingBytesAsString();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
    }
    Configuration configuration(path);
    const Settings before(configuration);
    configuration.writeBool("Editor", "Editmode", editMode);
    configuration.writeInt("Editor", "WndPosX", left);
    const Settings after(configuration);
    fuzzing::expect(after.editMode == editMode, "Editmode reads as written");
    fuzzing::expect(after.left == left, "WndPosX reads as written");
    fuzzing::expect(after.schematics == before.schematics, "DisplayParamScheme unchanged");
    fuzzing::expect(after.top == before.top, "WndPosY unchanged");
    fuzzing::expect(after.setup == before.setup, "DefaultSetup unchanged");
    return 0;
}
