#pragma once

#include <cstdint>
#include <string>

#include <X11/Xlib.h>

// The slim strip along the bottom of the standalone's window, under the
// editor: tempo, transport, audio device and buffer, the audio callback's
// load, xruns and MIDI activity. The wheel over it moves the tempo, a click
// plays or stops. Main thread.
class HostStrip {
  public:
    static constexpr int kWidth = 916; // the editor's
    static constexpr int kHeight = 40;

    struct State {
        float tempo = 120.0f;
        bool playing = false;
        std::string device;
        unsigned rate = 0;
        unsigned buffer = 0;
        double load = 0.0; // of the buffer period, 0..1
        int64_t xruns = 0;
        bool midi = false; // a note arrived since the last look
        bool operator==(const State&) const = default;
    };
    // What the user asked for with the mouse.
    struct Input {
        float tempoChange = 0.0f;
        bool toggle = false;
    };

    // Redraws when the state or the strip's top in the window changed, or the
    // window was exposed.
    void show(Display* display, Window window, int top, const State& state);
    void handle(const XEvent& event, Input* input);

  private:
    void draw(Display* display, Window window) const;

    State shown_;
    int top_ = 0;
    bool stale_ = true;
};
