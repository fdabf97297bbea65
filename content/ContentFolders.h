#pragma once

#include <string>

#include <trommik2/control_ids.h>

namespace trommik2 {

// What the format and the dialogs say about one kind of content.
struct ContentKindInfo {
    int kind;
    // Below the content root, in document form ("Trommik2\\Instruments").
    const char* folder;
    // Without the dot.
    const char* extension;
    // Empty for samples, which have no dialogs of their own.
    const char* filterDescription;
    const char* filterPattern;
    const char* loadTitle;
    const char* saveTitle;
};

// The content tree beside the module: its root, the kinds' folders, and the
// names documents use for files in them. Documents store names relative to a
// kind's folder with '\\' separators, so presets move between platforms
// unchanged; readers accept '/' as well. User-interface thread.
class ContentFolders {
  public:
    static constexpr int kFirstKind = kContentInstruments;
    static constexpr int kKindCount = 5;
    static constexpr char kDocumentSeparator = '\\';

    // The row of a kind, or null for a number that names none.
    static const ContentKindInfo* kindInfo(int kind);
    // A document name (either separator) in the platform's form, and a
    // platform path in document form.
    static std::string toPlatformPath(const std::string& name);
    static std::string toDocumentName(const std::string& path);
    // The file a path names where the file system tells case apart and the
    // document's author's did not ("Kicks\\Deep.wav" written for Deep.WAV):
    // the path itself when it exists, else the one whose components match it
    // without regard to case, else the path unchanged.
    static std::string findIgnoringCase(const std::string& path);

    // The folder that holds the content tree; made absolute.
    void setRoot(const std::string& root);
    const std::string& root() const { return root_; }
    // The kind's folder as a platform path without a trailing separator;
    // empty for an unknown kind.
    std::string folder(int kind) const;
    // The full path of a name relative to the kind's folder ("Kicks\\Deep.wav"
    // of the samples). Leading separators do not make it absolute.
    std::string pathOf(const std::string& name, int kind) const;
    // The path relative to the kind's folder, without extension, in document
    // form: "Kicks\\Deep" for <folder>/Kicks/Deep.tm2ins. A path outside the
    // folder gets a real relative name ("..\\..\\x\\Snare"), which pathOf turns
    // back into the same file; a path that is empty or not absolute (such as
    // "No Sample") gives the empty name.
    std::string relativeName(const std::string& path, int kind) const;

  private:
    std::string root_;
};

} // namespace trommik2
