#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <content/ContentList.h>

#include "support/FileSupport.h"

using namespace trommik2;

namespace {

// The titles of a folder's children, in list order; folders end in '/'.
std::vector<std::string> titles(const ContentList& list, int parent) {
    std::vector<std::string> out;
    for (int i = list.firstChild(parent); i < list.firstChild(parent) + list.childCount(parent); ++i)
        out.push_back(list.entry(i).title() + (list.entry(i).folder ? "/" : ""));
    return out;
}

class ContentListTest : public testing::Test {
  protected:
    ContentListTest() : root_("content-list") {
        for (const char* name : {"zeta.tm2ins", "Alpha.tm2ins", "beta.TM2INS", "Deep.tm2ins.bak", "notes.txt",
                                 "Kicks/Deep.tm2ins", "Kicks/bright.tm2ins", "Kicks/Sub/Low.tm2ins", "ambient/x.wav"})
            writeFile(root_.file(name), "x");
        list_.scan(root_.path().string(), ".tm2ins");
    }

    int find(const std::string& name) const { return list_.find(name); }

    TempFolder root_;
    ContentList list_;
};

} // namespace

TEST_F(ContentListTest, FoldersFirstThenFilesByNameWithoutRegardToCase) {
    EXPECT_EQ(titles(list_, ContentList::kTop),
              (std::vector<std::string>{"ambient/", "Kicks/", "Alpha", "beta", "zeta"}))
        << "beta.TM2INS is listed; the .bak and .txt files are not";
    int kicks = list_.firstChild(ContentList::kTop) + 1;
    ASSERT_TRUE(list_.entry(kicks).folder);
    EXPECT_EQ(titles(list_, kicks), (std::vector<std::string>{"Sub/", "bright", "Deep"}));
    EXPECT_EQ(titles(list_, kicks - 1), std::vector<std::string>{}) << "a folder without matching files stays";
    EXPECT_EQ(list_.size(), 9);
    for (int i = 0; i < list_.size(); ++i) {
        int parent = list_.entry(i).parent;
        EXPECT_GE(i, list_.firstChild(parent));
        EXPECT_LT(i, list_.firstChild(parent) + list_.childCount(parent)) << "children lie together";
    }
    EXPECT_EQ(list_.entry(find("Kicks\\Deep")).path, root_.file("Kicks/Deep.tm2ins"));
}

TEST_F(ContentListTest, FindWalksTheComponentsOfADocumentName) {
    EXPECT_NE(find("Kicks\\Deep"), ContentList::kNone);
    EXPECT_EQ(find("Kicks/Deep"), find("Kicks\\Deep"));
    EXPECT_EQ(list_.entry(find("Kicks\\Sub\\Low")).name, "Low.tm2ins");
    EXPECT_EQ(list_.entry(find("beta")).name, "beta.TM2INS");
    EXPECT_EQ(find("default"), ContentList::kNone);
    EXPECT_EQ(find("Kicks"), ContentList::kNone) << "a folder is no current item";
    EXPECT_EQ(find("Deep"), ContentList::kNone) << "no search outside the named folder";
    EXPECT_EQ(find("Kicks\\Nope"), ContentList::kNone);
    EXPECT_EQ(find(""), ContentList::kNone);
}

TEST_F(ContentListTest, NeighboursStayInsideTheFolderAndStopAtItsEnds) {
    int alpha = find("Alpha");
    EXPECT_EQ(list_.neighbour(alpha, true), alpha) << "the folder before it is not a file";
    EXPECT_EQ(list_.neighbour(alpha, false), find("beta"));
    EXPECT_EQ(list_.neighbour(find("zeta"), false), find("zeta"));
    EXPECT_EQ(list_.neighbour(find("zeta"), true), find("beta"));
    EXPECT_EQ(list_.neighbour(find("Kicks\\Deep"), false), find("Kicks\\Deep"))
        << "the last of a sub-folder does not continue in another folder";
    EXPECT_EQ(list_.neighbour(find("Kicks\\bright"), true), find("Kicks\\bright"));
    EXPECT_EQ(list_.neighbour(find("Kicks\\bright"), false), find("Kicks\\Deep"));
}

TEST_F(ContentListTest, EveryFileForTheWildcardAndNothingForAMissingFolder) {
    ContentList all;
    all.scan(root_.path().string(), ".*");
    EXPECT_EQ(titles(all, ContentList::kTop),
              (std::vector<std::string>{"ambient/", "Kicks/", "Alpha", "beta", "Deep.tm2ins", "notes", "zeta"}));
    all.scan(root_.file("missing"), ".tm2ins");
    EXPECT_EQ(all.size(), 0);
    EXPECT_EQ(all.childCount(ContentList::kTop), 0);
}
