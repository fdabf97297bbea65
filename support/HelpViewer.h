#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "Configuration.h"

namespace trommik2 {

// The user manual: an HTML file in "Trommik2/Help" beside the module, in the
// user's language where a translation exists, opened in the desktop's browser
// (xdg-open, started without waiting for it) at a topic's anchor. What fails
// is told in a message box. User-interface thread.
class HelpViewer {
  public:
    static constexpr const char* kViewer = "xdg-open";

    // root: the folder that holds the content tree "Trommik2"; the language
    // comes from the configuration each time the manual opens.
    HelpViewer(std::string root, Configuration configuration)
        : root_(std::move(root)), configuration_(std::move(configuration)) {}
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // The user's language: key Language of section Help in the configuration,
    // else LANG without its encoding ("de_DE" of "de_DE.UTF-8"); "C" and
    // "POSIX" count as none.
    static std::string language(const Configuration& configuration);
    // The manuals tried, in order: for "xx_YY" Trommik2_xx_YY.html,
    // Trommik2_xx.html, Trommik2_YY.html, then Trommik2.html.
    static std::vector<std::string> candidates(const std::string& root, const std::string& language);
    // Opens the first manual that exists at the topic's anchor; false (after
    // telling the user) when there is none or the browser cannot be started.
    bool open(const std::string& topic);
    // Collects browsers that ended; one that failed is told to the user.
    void poll();

  private:
    std::string root_;
    Configuration configuration_;
    std::vector<pid_t> viewers_;
};

} // namespace trommik2
