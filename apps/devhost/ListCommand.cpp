#include "ListCommand.h"

#include <cstdio>
#include <string>
#include <vector>

#include <content/ContentList.h>

#include "ContentSession.h"
#include "apps/common/Arguments.h"
#include "apps/common/ModuleLoader.h"

namespace {

struct KindName {
    const char* word;
    int kind;
};

const KindName kKinds[] = {
    {"instruments", kContentInstruments}, {"drumkits", kContentDrumkits}, {"patterns", kContentPatterns},
    {"setups", kContentSetups},           {"samples", kContentSamples},
};

int kindOf(const std::string& word) {
    for (const KindName& k : kKinds)
        if (word == k.word)
            return k.kind;
    return 0;
}

void printLevel(const trommik2::ContentList& list, int parent, int depth) {
    const int first = list.firstChild(parent);
    for (int i = first; i < first + list.childCount(parent); ++i) {
        const trommik2::ContentEntry& entry = list.entry(i);
        std::printf("%*s%s%s\n", 2 * depth, "", entry.name.c_str(), entry.folder ? "/" : "");
        if (entry.folder)
            printLevel(list, i, depth + 1);
    }
}

} // namespace

void printListHelp() {
    std::puts("usage: trommik2-host list KIND\n"
              "\n"
              "Prints the content list of a kind as the module's menus show it: the folder\n"
              "below the module, then its sub-folders (first, ending in '/') and files, sorted\n"
              "by name, indented by depth. KIND is instruments, drumkits, patterns, setups or\n"
              "samples.");
}

int runList(Arguments& args, const ModuleLoader& module) {
    std::vector<std::string> words = args.positional();
    std::string error;
    if (!args.finish(&error) || words.size() != 1 || kindOf(words[0]) == 0) {
        std::fprintf(stderr, "trommik2-host list: %s (see list --help)\n",
                     !error.empty() ? error.c_str()
                                    : "one kind is needed: instruments, drumkits, patterns, setups or samples");
        return 2;
    }
    ContentSession session(module.path());
    const int kind = kindOf(words[0]);
    session.library().refreshList(kind);
    const trommik2::ContentList& list = *session.library().list(kind);
    std::printf("%s\n", list.folder().c_str());
    if (list.size() == 0)
        std::printf("  (empty)\n");
    printLevel(list, trommik2::ContentList::kTop, 1);
    return 0;
}
