#pragma once

#include <mutex>
#include <string>

#include <trommik2/control_ids.h>

namespace trommik2 {

class ContentFolders;
class InstrumentBank;
class KnobSlots;
class Sequencer;

// What the documents need of the drum machine that reads and writes them.
// User-interface thread, except where an operation says otherwise.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;

    virtual InstrumentBank& bank() = 0;
    virtual Sequencer& sequencer() = 0;
    virtual KnobSlots& knobSlots() = 0;
    // The current document names, relative to their content folders.
    virtual std::string& kitName() = 0;
    virtual std::string& patternName() = 0;
    virtual std::string& setupName() = 0;
    // Held while an instrument is read into a track, so the audio thread never
    // renders a half-loaded one.
    virtual std::recursive_mutex& processLock() = 0;
    virtual const ContentFolders& contentFolders() const = 0;
    // The step grid's resolution (steps shown per bar), which pattern documents
    // carry; values the grid cannot show are ignored.
    virtual int stepResolution() const = 0;
    virtual void setStepResolution(int resolution) = 0;
    // Tells the editor, if one is open, to redraw a part (a refresh number of control_ids.h).
    virtual void refreshEditor(int part) = 0;
    // After a setup file was loaded: nothing of the previous setup keeps sounding.
    virtual void setupLoaded() = 0;
    // After a document or a paste replaced pattern data (steps or automation).
    virtual void patternChanged() = 0;
};

} // namespace trommik2
