#pragma once

#include <string>

// Finds the document a user names on the command line: a file, or else a name in
// the content folder of its kind beside the module ("default", "House\\Deep").
class DocumentLocator {
  public:
    // The path to read: the file itself, the named document of kind (a content
    // kind) when that exists, else the text as given, so that reading it fails
    // with the user's own words in the message.
    static std::string find(const std::string& text, int kind, const std::string& modulePath);
};
