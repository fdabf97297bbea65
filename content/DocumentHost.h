#pragma once

#include <trommik2/control_ids.h>

#include <mutex>

#include "DrumMachineModel.h"
#include "support/ProcessLock.h"

namespace trommik2 {

class ContentFolders;

// What the documents need of the drum machine that reads and writes them: its
// model, the lock under which what they built is swapped in, the content tree,
// and the parts that must hear about a change. User-interface thread.
class DocumentHost {
  public:
    virtual ~DocumentHost() = default;

    virtual DrumMachineModel& model() = 0;
    // Held only while an instrument read outside it is handed to a track, so
    // the audio thread never renders a half-loaded one.
    virtual ProcessLock& processLock() = 0;
    virtual const ContentFolders& contentFolders() const = 0;
    // Tells the editor, if one is open, to redraw a part (a refresh number of control_ids.h).
    virtual void refreshEditor(int part) = 0;
    // After a setup file was loaded: nothing of the previous setup keeps sounding.
    virtual void setupLoaded() = 0;
    // After a document or a paste replaced pattern data (steps or automation).
    virtual void patternChanged() = 0;

    // Builds the effects a track's slot lacks for reach outside the process
    // lock, swaps them in under it, and destroys what they replace after it.
    void installEffects(int track, const EffectsModule::Reach& reach);

    // Runs write under the process lock. The effects it may select (reach
    // during) are built before the lock, so that under it they are only
    // selected; those it leaves behind are destroyed after it.
    template <typename Write>
    void writeTrack(int track, const EffectsModule::Reach& during, Write&& write) {
        const EffectsModule::Reach pattern = model().bank().voice(track).effects().reach();
        installEffects(track, during);
        {
            std::lock_guard<ProcessLock> lock(processLock());
            write();
        }
        installEffects(track, pattern);
    }
};

} // namespace trommik2
