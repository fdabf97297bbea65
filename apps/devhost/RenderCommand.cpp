#include "RenderCommand.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include <content/ContentFolders.h>

#include "ProgressBar.h"
#include "SetupLoader.h"
#include "StateFile.h"
#include "StatePatch.h"
#include "apps/common/Arguments.h"
#include "apps/common/DocumentLocator.h"
#include "apps/common/HostInstance.h"
#include "apps/common/ModuleLoader.h"
#include "apps/common/TextFile.h"
#include "apps/common/WavWriter.h"

namespace {

struct RenderOptions {
    std::string output;
    double seconds = 8.0;
    long bars = 0;
    double tempo = 120.0;
    long rate = 44100;
    long block = 512;
    long position = 0;
    std::string setup;
    std::string stateIn;
    std::string stateOut;
    std::string kit;
    std::string pattern;
    WavWriter::Format format = WavWriter::Format::Float;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "trommik2-host render: %s (see render --help)\n", message.c_str());
    return 2;
}

int failure(const std::string& message) {
    std::fprintf(stderr, "trommik2-host render: %s\n", message.c_str());
    return 1;
}

// Reads the options; an empty result means they were fine.
std::string parse(Arguments& args, RenderOptions* o) {
    std::string format = "float";
    args.value("-o", &o->output);
    args.number("--seconds", &o->seconds);
    args.integer("--bars", &o->bars);
    args.number("--tempo", &o->tempo);
    args.integer("--rate", &o->rate);
    args.integer("--block", &o->block);
    args.integer("--position", &o->position);
    args.value("--setup", &o->setup);
    args.value("--state-in", &o->stateIn);
    args.value("--state-out", &o->stateOut);
    args.value("--kit", &o->kit);
    args.value("--pattern", &o->pattern);
    args.value("--format", &format);
    std::string error;
    if (!args.finish(&error))
        return error;
    if (o->output.empty())
        return "an output file is needed (-o OUT.wav)";
    if (!WavWriter::parseFormat(format, &o->format))
        return "--format must be float, pcm16 or pcm24";
    if (!(o->seconds > 0.0 && o->seconds <= 3600.0))
        return "--seconds must lie in (0, 3600]";
    if (o->bars < 0 || o->bars > 1000)
        return "--bars must lie in 1..1000";
    if (!(o->tempo >= 1.0 && o->tempo <= 999.0))
        return "--tempo must lie in 1..999";
    if (o->rate < 8000 || o->rate > 384000)
        return "--rate must lie in 8000..384000";
    if (o->block < 1 || o->block > 65536)
        return "--block must lie in 1..65536";
    if (o->position < 0 || o->position > INT32_MAX / 2)
        return "--position must not be negative";
    if (!o->setup.empty() && !o->stateIn.empty())
        return "--setup and --state-in exclude each other";
    return "";
}

int64_t framesToRender(const RenderOptions& o) {
    double seconds = o.bars > 0 ? o.bars * 4.0 * 60.0 / o.tempo : o.seconds;
    return static_cast<int64_t>(std::llround(seconds * static_cast<double>(o.rate)));
}

std::string loadInitialState(HostInstance& instance, const RenderOptions& o, const std::string& modulePath) {
    std::string error;
    if (!o.stateIn.empty())
        return StateFile::load(instance, o.stateIn, &error) ? "" : error;
    return SetupLoader::load(instance, o.setup, modulePath);
}

// Loads the drum kit or pattern of a document file through the state: the
// instance's state text with that part replaced goes back in.
std::string loadPart(HostInstance& instance, const std::string& path, const char* part) {
    std::string document;
    if (!TextFile::read(path, &document))
        return "cannot read " + path;
    std::string state;
    if (!instance.saveStateText(&state))
        return "the module did not save its state";
    std::string patched;
    std::string error;
    if (!StatePatch::replacePart(state, document, part, &patched, &error))
        return path + ": " + error;
    return instance.loadStateText(patched) ? "" : "the module rejected the " + std::string(part) + " of " + path;
}

std::string loadParts(HostInstance& instance, const RenderOptions& o, const std::string& modulePath) {
    std::string problem;
    if (!o.kit.empty())
        problem = loadPart(instance, DocumentLocator::find(o.kit, kContentDrumkits, modulePath), "drumkit");
    if (problem.empty() && !o.pattern.empty())
        problem = loadPart(instance, DocumentLocator::find(o.pattern, kContentPatterns, modulePath), "pattern");
    return problem;
}

std::string renderAudio(HostInstance& instance, const RenderOptions& o, int64_t total) {
    WavWriter writer(o.output, static_cast<int32_t>(o.rate), o.format);
    if (!writer.isOpen())
        return writer.error();
    std::vector<float> buffer(static_cast<size_t>(o.block) * 2);
    ProgressBar progress(total, total > 10 * o.rate);
    int64_t position = o.position;
    // Every call renders a whole block, as a host's audio thread does, and the
    // file keeps what it asked for: the first seconds of a longer render are
    // then the same samples as a shorter render's.
    for (int64_t done = 0; done < total;) {
        int32_t frames = static_cast<int32_t>(std::min<int64_t>(o.block, total - done));
        if (!instance.render(buffer.data(), o.block, static_cast<int32_t>(position)))
            return "the module failed to render";
        if (!writer.write(buffer.data(), frames))
            return writer.error();
        done += frames;
        position += frames;
        progress.update(done);
    }
    std::string error;
    return writer.finish(&error) ? "" : error;
}

} // namespace

void printRenderHelp() {
    std::puts("usage: trommik2-host render -o OUT.wav [options]\n"
              "\n"
              "Opens an instance, optionally loads a setup or a saved state, and renders\n"
              "its pattern at the host's transport into a stereo WAV file.\n"
              "\n"
              "  -o OUT.wav           the file to write (replaced only when complete)\n"
              "  --seconds S          length in seconds (default 8)\n"
              "  --bars N             length in bars of four beats instead of seconds\n"
              "  --tempo BPM          host tempo (default 120)\n"
              "  --rate HZ            sample rate (default 44100)\n"
              "  --block FRAMES       frames per render call (default 512)\n"
              "  --position SAMPLES   host position of the first frame (default 0)\n"
              "  --setup FILE|NAME    load a setup document before rendering: a file, or a\n"
              "                       name in the setup folder beside the module (default,\n"
              "                       House\\Deep)\n"
              "  --state-in FILE      load a state file written by --state-out\n"
              "  --state-out FILE     save the instance's state after rendering\n"
              "  --kit FILE|NAME      then load the drum kit of a kit (or setup) document, a\n"
              "                       file or a name in the drum-kit folder\n"
              "  --pattern FILE|NAME  then load the pattern of a pattern (or setup) document,\n"
              "                       a file or a name in the pattern folder\n"
              "  --format F           float (default), pcm16 or pcm24");
}

int runRender(Arguments& args, const ModuleLoader& module) {
    RenderOptions options;
    std::string problem = parse(args, &options);
    if (!problem.empty())
        return usageError(problem);
    HostInstance instance(module.entry(), static_cast<uint32_t>(options.rate), static_cast<float>(options.tempo));
    if (!instance.open())
        return failure("the module could not open an instance");
    problem = loadInitialState(instance, options, module.path());
    if (problem.empty())
        problem = loadParts(instance, options, module.path());
    if (!problem.empty())
        return failure(problem);
    instance.call(8);
    int64_t total = framesToRender(options);
    problem = renderAudio(instance, options, total);
    if (!problem.empty())
        return failure(problem);
    if (!options.stateOut.empty() && !StateFile::save(instance, options.stateOut, &problem))
        return failure(problem);
    std::printf("wrote %s: %.3f s of stereo audio at %ld Hz\n", options.output.c_str(),
                static_cast<double>(total) / static_cast<double>(options.rate), options.rate);
    return 0;
}
