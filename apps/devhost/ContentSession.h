#pragma once

#include <string>

#include <content/ContentLibrary.h>
#include <content/DocumentWorkspace.h>

// The content tree beside a module, worked on with the module's own content
// library and tracks of our own: content commands need no audio, so no
// instance of the module is opened for them.
class ContentSession : public trommik2::DocumentWorkspace {
  public:
    // The content root is the folder of the module file.
    explicit ContentSession(const std::string& moduleFile);

    trommik2::ContentLibrary& library() { return library_; }

  private:
    trommik2::ContentLibrary library_{*this};
};
