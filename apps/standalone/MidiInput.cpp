#include "MidiInput.h"

#include <rtmidi/RtMidi.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

#include "AudioEngine.h"

namespace {

const char* const kClientName = "trommik2-midi";
const char* const kPortName = "in";

RtMidi::Api preferredApi() { return access("/dev/snd/seq", R_OK | W_OK) == 0 ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK; }

std::string apiTitle(RtMidi::Api api) { return api == RtMidi::LINUX_ALSA ? "ALSA sequencer" : "JACK MIDI"; }

void keepError(RtMidiError::Type, const std::string& text, void* user) {
    *static_cast<std::string*>(user) = text.substr(0, text.find('\n'));
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

} // namespace

MidiInput::MidiInput(SpscQueue<MidiEvent>& queue) : queue_(queue) {}

MidiInput::~MidiInput() = default;

bool MidiInput::open(const std::string& port, bool clock, std::string* error) {
    const RtMidi::Api api = preferredApi();
    const std::string title = apiTitle(api);
    try {
        in_ = std::make_unique<RtMidiIn>(api, kClientName);
        in_->setErrorCallback(keepError, &lastError_);
        in_->setCallback(received, this);
        in_->ignoreTypes(true, !clock, true);
        if (port.empty()) {
            in_->openVirtualPort(kPortName);
            description_ = title + " port " + kClientName + ":" + kPortName;
        } else {
            const unsigned count = in_->getPortCount();
            unsigned found = count;
            for (unsigned i = 0; i < count && found == count; ++i)
                if (lowered(in_->getPortName(i)).find(lowered(port)) != std::string::npos)
                    found = i;
            if (found == count) {
                *error = "no " + title + " input port named '" + port + "' (see --list-devices)";
                return false;
            }
            description_ = title + " from " + in_->getPortName(found);
            in_->openPort(found, kPortName);
        }
    } catch (const RtMidiError& e) {
        lastError_ = e.getMessage();
    }
    if (!lastError_.empty()) {
        *error = title + ": " + lastError_;
        in_.reset();
        return false;
    }
    return true;
}

void MidiInput::received(double, std::vector<unsigned char>* message, void* user) {
    auto* self = static_cast<MidiInput*>(user);
    if (message->empty() || message->size() > 3)
        return;
    MidiEvent event;
    event.nanoseconds = AudioEngine::nowNanoseconds();
    event.size = static_cast<uint8_t>(message->size());
    std::copy(message->begin(), message->end(), event.bytes);
    // A full queue means the audio has stalled for long; the message is dropped.
    self->queue_.push(event);
}

void MidiInput::listPorts(std::FILE* out) {
    const RtMidi::Api api = preferredApi();
    std::string ignored;
    try {
        RtMidiIn in(api, kClientName);
        in.setErrorCallback(keepError, &ignored);
        const unsigned count = in.getPortCount();
        std::fprintf(out, "MIDI inputs (%s):%s\n", apiTitle(api).c_str(), count == 0 ? " (none)" : "");
        for (unsigned i = 0; i < count; ++i)
            std::fprintf(out, "  %s\n", in.getPortName(i).c_str());
    } catch (const RtMidiError&) {
        std::fprintf(out, "MIDI inputs (%s): (not available)\n", apiTitle(api).c_str());
    }
}
