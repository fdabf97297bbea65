#include "SetupLoader.h"

#include <content/ContentFolders.h>

#include "apps/common/DocumentLocator.h"
#include "apps/common/HostInstance.h"
#include "apps/common/TextFile.h"

std::string SetupLoader::load(HostInstance& instance, const std::string& setup, const std::string& modulePath) {
    if (setup.empty())
        return "";
    std::string text;
    if (!TextFile::read(DocumentLocator::find(setup, kContentSetups, modulePath), &text))
        return "cannot read " + setup + " (neither a file nor a name in the setup folder)";
    return instance.loadStateText(text) ? "" : "the module rejected the setup in " + setup;
}
