#pragma once

#include <string>

#include "ContentFolders.h"
#include "ContentList.h"
#include "DrumkitDocument.h"
#include "InstrumentDocument.h"
#include "PatternDocument.h"
#include "SetupDocument.h"
#include "platform/Dialogs.h"

namespace trommik2 {

class Configuration;
class DocumentHost;

// The content tree as the user works with it: one list per kind for menus and
// previous/next, saving under a name the user picks, the instrument templates,
// turning a sample into an instrument, and the setup loaded at start-up.
// Questions and messages go through Dialogs::current(). Names of documents use
// '\\' between folders; paths on disk the platform's separator.
// User-interface thread.
class ContentLibrary {
  public:
    // In the configuration folder below the content root.
    static constexpr const char* kEmptyInstrumentTemplate = "EmptyInstrumentTemplate.tm2ins";
    static constexpr const char* kDefaultInstrumentTemplate = "DefaultInstrumentTemplate.tm2ins";
    static constexpr const char* kAutoImportTemplate = "AutoImportTemplate.tm2ins";

    explicit ContentLibrary(DocumentHost& host);

    // Rescans the kind's folder below the host's content root.
    void refreshList(int kind);
    // The list of a kind 21000..21004, or null.
    const ContentList* list(int kind) const;
    // The name of the current item of a kind: the selected track's instrument,
    // the kit, pattern or setup, or the selected track's sample relative to
    // the sample folder.
    std::string currentName(int kind) const;
    // The current item's place in its list, or ContentList::kNone.
    int currentEntry(int kind) const;

    // Loads a document of kind 21000..21003 with names not kept; instruments
    // go into the selected track. True when it was read.
    bool loadFile(int kind, const std::string& path);
    // The same for a file entry of the kind's list; false for folders and
    // indices outside the list.
    bool loadEntry(int kind, int index);
    // Loads the file before or after the current one in its folder (the same
    // one again at either end); does nothing when the current item is not
    // listed. True when a file was read.
    bool browse(int kind, bool previous);

    // What the save dialog of a kind proposes: the current name's last
    // component in the folder of its other components when that exists, else
    // in the kind's folder.
    SaveRequest saveRequest(int kind) const;
    // Asks for a path and saves the current item of kind 21000..21003 there;
    // cancelling does nothing, a failure is shown. True when saved.
    bool saveWithDialog(int kind);

    // Loads a template from the configuration folder into the track and names
    // the instrument; a missing template is shown. True when loaded.
    bool loadTemplate(int track, const std::string& templateFile, const std::string& name);
    // The instrument file that importing the sample makes: the sample's place
    // in the sample folder, in the instrument folder.
    std::string instrumentPathFor(const std::string& samplePath) const;
    // Makes a new instrument for the track from the auto-import template and
    // the sample, which is first copied into a sample folder the user picks
    // when it lies elsewhere, and saves it. True when the instrument was saved.
    bool importSampleAsInstrument(int track, const std::string& samplePath);
    // Saves the current kit named after a folder of the sample folder (a
    // folder elsewhere gives its own name). True when saved.
    bool saveKitForSampleFolder(const std::string& folderPath);
    // Creates every folder along path (up to its parent only, when asked);
    // true when that last folder exists.
    static bool createFolders(const std::string& path, bool parentOnly);

    // Scans all lists, forgets the kit, pattern and setup names and loads the
    // configured start-up setup from the setup folder; a missing one leaves
    // everything as it is, without a message.
    void startUp(const Configuration& configuration);

  private:
    const ContentFolders& folders() const;
    std::string configFile(const std::string& name) const;
    bool saveFile(int kind, const std::string& path);
    bool copyIntoSampleFolder(const std::string& samplePath, std::string* destination);
    bool loadSampleInto(int track, const std::string& samplePath);

    DocumentHost& host_;
    InstrumentDocument instruments_;
    DrumkitDocument drumkit_;
    PatternDocument pattern_;
    SetupDocument setup_;
    ContentList lists_[ContentFolders::kKindCount];
};

} // namespace trommik2
