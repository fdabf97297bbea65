#include "AudioOutput.h"

#include <alsa/asoundlib.h>
#include <jack/jack.h>
#include <rtaudio/RtAudio.h>

#include <algorithm>
#include <cctype>
#include <mutex>
#include <vector>

namespace {

const char* const kClientName = "trommik2";

// The reason the driver ended the stream; RtAudio's error callback has no user pointer.
std::mutex failureLock;
std::string failure;

void streamFailed(RtAudioError::Type, const std::string& text) {
    std::lock_guard<std::mutex> lock(failureLock);
    failure = text;
}

// The libraries under RtAudio print their own complaints (a JACK client that
// finds no server, ALSA configuration notes); we say what went wrong in one line.
void quietJack(const char*) {}
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void silenceDriverMessages() {
    jack_set_error_function(quietJack);
    jack_set_info_function(quietJack);
    snd_lib_error_set_handler(quietAlsa);
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The first line of an RtAudio message, without the class prefix.
std::string plainMessage(const std::string& message) {
    std::string line = message.substr(0, message.find('\n'));
    size_t colon = line.find(": ");
    return colon != std::string::npos && line.find("::") < colon ? line.substr(colon + 2) : line;
}

std::string driverTitle(const std::string& driver) {
    if (driver == "jack")
        return "JACK";
    return driver == "pulse" ? "PulseAudio" : "ALSA";
}

// Output devices with two channels or more, by index.
std::vector<unsigned> stereoOutputs(RtAudio& audio) {
    std::vector<unsigned> found;
    const unsigned count = audio.getDeviceCount();
    for (unsigned i = 0; i < count; ++i)
        if (audio.getDeviceInfo(i).outputChannels >= 2)
            found.push_back(i);
    return found;
}

// The device named (whole name first, then a part of it, any case), or the default.
bool chooseDevice(RtAudio& audio, const std::string& name, unsigned* device) {
    std::vector<unsigned> outputs = stereoOutputs(audio);
    if (outputs.empty())
        return false;
    if (name.empty()) {
        const unsigned fallback = audio.getDefaultOutputDevice();
        *device = std::find(outputs.begin(), outputs.end(), fallback) != outputs.end() ? fallback : outputs.front();
        return true;
    }
    for (bool whole : {true, false}) {
        for (unsigned i : outputs) {
            std::string candidate = lowered(audio.getDeviceInfo(i).name);
            if (whole ? candidate == lowered(name) : candidate.find(lowered(name)) != std::string::npos) {
                *device = i;
                return true;
            }
        }
    }
    return false;
}

unsigned chooseRate(const RtAudio::DeviceInfo& info, unsigned asked) {
    if (asked > 0)
        return asked;
    const std::vector<unsigned>& rates = info.sampleRates;
    if (std::find(rates.begin(), rates.end(), 44100u) != rates.end())
        return 44100;
    return info.preferredSampleRate > 0 ? info.preferredSampleRate : (rates.empty() ? 44100 : rates.back());
}

} // namespace

AudioOutput::AudioOutput() { silenceDriverMessages(); }

AudioOutput::~AudioOutput() { stop(); }

bool AudioOutput::knownDriver(const std::string& name) { return name == "jack" || name == "alsa" || name == "pulse"; }

bool AudioOutput::open(const AudioSettings& settings, Render render, void* user, std::string* error) {
    render_ = render;
    user_ = user;
    if (!settings.driver.empty())
        return openWith(settings.driver, settings, error);
    // A running JACK server is where a musician wants the sound; a desktop's
    // sound server comes next, the bare device last.
    std::string reasons;
    for (const char* driver : {"jack", "pulse", "alsa"}) {
        std::string reason;
        if (openWith(driver, settings, &reason))
            return true;
        reasons += (reasons.empty() ? "" : "; ") + reason;
    }
    *error = "no audio output: " + reasons;
    return false;
}

bool AudioOutput::openWith(const std::string& driver, const AudioSettings& settings, std::string* error) {
    const std::string title = driverTitle(driver);
    try {
        audio_ = std::make_unique<RtAudio>(RtAudio::getCompiledApiByName(driver));
        audio_->showWarnings(false);
        if (audio_->getCurrentApi() != RtAudio::getCompiledApiByName(driver)) {
            *error = title + " is not available in this build";
            return false;
        }
        unsigned device = 0;
        if (!chooseDevice(*audio_, settings.device, &device)) {
            if (!settings.device.empty())
                *error = "no " + title + " output device named '" + settings.device + "' (see --list-devices)";
            else
                *error = driver == "jack" ? "no JACK server is running" : "no " + title + " output device";
            return false;
        }
        RtAudio::DeviceInfo info = audio_->getDeviceInfo(device);
        const unsigned rate = chooseRate(info, driver == "jack" ? 0 : settings.rate);
        if (driver == "jack" && settings.rate > 0 && settings.rate != rate) {
            *error = "the JACK server runs at " + std::to_string(rate) + " Hz, not " + std::to_string(settings.rate) +
                     " (leave out --rate or restart the server)";
            return false;
        }
        RtAudio::StreamParameters output;
        output.deviceId = device;
        output.nChannels = 2;
        RtAudio::StreamOptions options;
        options.streamName = kClientName;
        options.flags = RTAUDIO_SCHEDULE_REALTIME;
        options.priority = 70;
        unsigned buffer = settings.buffer;
        audio_->openStream(&output, nullptr, RTAUDIO_FLOAT32, rate, &buffer, callback, this, &options, streamFailed);
        rate_ = audio_->getStreamSampleRate();
        buffer_ = buffer;
        description_ = driver + ": " + info.name;
        return true;
    } catch (const RtAudioError& e) {
        *error = title + ": " + plainMessage(e.getMessage());
        audio_.reset();
        return false;
    }
}

bool AudioOutput::start(std::string* error) {
    try {
        audio_->startStream();
        return true;
    } catch (const RtAudioError& e) {
        *error = plainMessage(e.getMessage());
        return false;
    }
}

void AudioOutput::stop() {
    if (!audio_)
        return;
    try {
        // At once: what was rendered is recorded already, draining would only
        // play silence after the quit, and the drain of the JACK backend waits
        // on a mutex it never locked.
        if (audio_->isStreamRunning())
            audio_->abortStream();
        if (audio_->isStreamOpen())
            audio_->closeStream();
    } catch (const RtAudioError&) {
        // Closing a stream whose server went away: nothing left to release.
    }
}

bool AudioOutput::healthy(std::string* error) const {
    std::lock_guard<std::mutex> lock(failureLock);
    if (failure.empty() && audio_ && audio_->isStreamRunning())
        return true;
    *error = failure.empty() ? "the audio stream stopped" : plainMessage(failure);
    return false;
}

int AudioOutput::callback(void* out, void*, unsigned frames, double, unsigned status, void* user) {
    auto* self = static_cast<AudioOutput*>(user);
    self->render_(static_cast<float*>(out), static_cast<int>(frames), (status & RTAUDIO_OUTPUT_UNDERFLOW) != 0,
                  self->user_);
    return 0;
}

void AudioOutput::listDevices(std::FILE* out) {
    silenceDriverMessages();
    for (const char* driver : {"jack", "pulse", "alsa"}) {
        try {
            RtAudio audio(RtAudio::getCompiledApiByName(driver));
            audio.showWarnings(false);
            std::vector<unsigned> outputs = stereoOutputs(audio);
            std::fprintf(out, "%s:%s\n", driver, outputs.empty() ? " (none)" : "");
            const unsigned fallback = audio.getDefaultOutputDevice();
            for (unsigned i : outputs) {
                RtAudio::DeviceInfo info = audio.getDeviceInfo(i);
                std::fprintf(out, "  %s%s\n", info.name.c_str(), i == fallback ? " (default)" : "");
            }
        } catch (const RtAudioError&) {
            std::fprintf(out, "%s: (not available)\n", driver);
        }
    }
}
