#include "StandaloneOptions.h"

#include "AudioEngine.h"
#include "apps/common/Arguments.h"

namespace {

// A whole number option within lo..hi, else the message.
std::string bounded(Arguments& args, const char* name, long lo, long hi, long* value) {
    args.integer(name, value);
    if (*value < lo || *value > hi)
        return std::string(name) + " must lie in " + std::to_string(lo) + ".." + std::to_string(hi);
    return "";
}

} // namespace

std::string StandaloneOptions::parse(int argc, char** argv) {
    Arguments args(argc, argv, 1);
    help = args.flag("--help") || args.flag("-h");
    listDevices = args.flag("--list-devices");
    play = args.flag("--play");
    noEditor = args.flag("--no-editor");
    midiClock = args.flag("--midi-clock");
    args.value("--driver", &audio.driver);
    args.value("--device", &audio.device);
    args.value("--module", &module);
    args.value("--setup", &setup);
    args.value("--record", &record);
    args.value("--midi-in", &midiIn);
    args.number("--tempo", &tempo);
    args.number("--quit-after", &quitAfter);
    long rate = 0;
    long buffer = audio.buffer;
    long channel = midiChannel;
    std::string problem = bounded(args, "--buffer", 16, 8192, &buffer);
    if (problem.empty() && args.integer("--rate", &rate) && (rate < 8000 || rate > 384000))
        problem = "--rate must lie in 8000..384000";
    if (problem.empty())
        problem = bounded(args, "--midi-channel", 1, 16, &channel);
    std::string error;
    if (!args.finish(&error))
        return error;
    if (!problem.empty())
        return problem;
    if (!audio.driver.empty() && !AudioOutput::knownDriver(audio.driver))
        return "--driver must be jack, alsa or pulse";
    if (!(tempo >= AudioEngine::kMinTempo && tempo <= AudioEngine::kMaxTempo))
        return "--tempo must lie in 20..999";
    if (!(quitAfter >= 0.0 && quitAfter <= 86400.0))
        return "--quit-after must lie in 0..86400 seconds";
    audio.rate = static_cast<unsigned>(rate);
    audio.buffer = static_cast<unsigned>(buffer);
    midiChannel = static_cast<int>(channel);
    return "";
}

void StandaloneOptions::printUsage(std::FILE* out) {
    std::fputs("usage: trommik2 [options]\n"
               "\n"
               "The drum machine as an instrument of its own: plays through JACK, PulseAudio\n"
               "or ALSA, takes MIDI, and keeps its state between runs.\n"
               "\n"
               "  --driver jack|alsa|pulse  sound system (default: JACK when a server runs,\n"
               "                            then PulseAudio, then ALSA)\n"
               "  --device NAME             output device (see --list-devices)\n"
               "  --rate HZ                 sample rate (JACK: the server's)\n"
               "  --buffer FRAMES           frames per buffer, 16..8192 (default 256; JACK:\n"
               "                            the server's)\n"
               "  --list-devices            print the audio devices and MIDI inputs\n"
               "  --setup NAME|FILE         start with a setup (a file, or a name in the setup\n"
               "                            folder such as default) instead of the last session\n"
               "  --tempo BPM               tempo, 20..999 (default 120)\n"
               "  --play                    start the pattern at once\n"
               "  --no-editor               run without the editor window\n"
               "  --record FILE.wav         write everything played to a WAV file\n"
               "  --quit-after SECONDS      quit after that much audio\n"
               "  --midi-in PORT            take MIDI from the input port whose name contains\n"
               "                            PORT (default: a port of our own to connect to)\n"
               "  --midi-channel N          the drum channel, 1..16 (default 10)\n"
               "  --midi-clock              follow the tempo of incoming MIDI clock\n"
               "  --module PATH             the module (default: Trommik2.syn beside this program)\n"
               "  --help                    this text\n"
               "\n"
               "MIDI notes 36..51 on the drum channel play tracks 0..15 (36 the kick, 37 the\n"
               "snare, ...) with their velocity; Start, Stop, Continue and Song Position drive\n"
               "the pattern. The session is kept in\n"
               "$XDG_DATA_HOME/trommik2/session.tm2set (~/.local/share/trommik2 by default),\n"
               "saved on quit and every 30 seconds.\n",
               out);
}
