#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <engine/effects/EffectRegistry.h>

#include "ContentTestRig.h"
#include "support/FileSupport.h"

using namespace trommik2;

namespace fs = std::filesystem;

namespace {

std::vector<std::string> texts(const Menu& menu) {
    std::vector<std::string> out;
    for (const MenuEntry& entry : menu)
        out.push_back(entry.text);
    return out;
}

std::vector<int> markedValues(const Menu& menu) {
    std::vector<int> out;
    for (const MenuEntry& entry : menu)
        if (entry.marked)
            out.push_back(entry.value);
    return out;
}

using KnobMenus = ContentRig;
using TypeMenus = ContentRig;
using ContentMenus = ContentRig;

} // namespace

TEST_F(KnobMenus, OfferTheSynthesisGroupAndTheOtherModulesWithTheAssignedOneMarked) {
    machine_.command(10014, 0, nullptr, 1, 0);
    machine_.model().knobSlots().assign(0, 10002, FilterFreq);
    machine_.sequencer().track(0).setAutomationPoint(FilterQ, 3, 0.5f);
    Menu menu = machine_.listProvider().fillMenu(10002);
    ASSERT_EQ(texts(menu), (std::vector<std::string>{"Filtered Noise", "Sample (WAV) Playback", "Envelope Generator",
                                                     "Multimode Filter", "Output", "", "Show module schematics"}));
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(menu[static_cast<size_t>(i)].submenu);
    EXPECT_EQ(menu[3].value, 6);
    EXPECT_EQ(menu[4].value, 8);
    EXPECT_TRUE(menu[5].separator);
    EXPECT_EQ(menu[6].value, -1);
    EXPECT_EQ(markedValues(menu), (std::vector<int>{6, -1})) << "the filter group and the schematics, on by default";

    const ParameterTable& table = machine_.bank().table();
    const Menu& filter = menu[3].children;
    ASSERT_EQ(filter.size(), table.groupMembers(6).size());
    for (size_t i = 0; i < filter.size(); ++i) {
        int parameter = table.groupMembers(6)[i];
        EXPECT_EQ(filter[i].value, parameter);
        EXPECT_EQ(filter[i].text, table.shortName(parameter));
        EXPECT_EQ(filter[i].kind, 1);
        EXPECT_EQ(filter[i].marked, parameter == FilterFreq);
        EXPECT_EQ(filter[i].hasAutomation, parameter == FilterQ);
        EXPECT_TRUE(filter[i].highlightInSchematic);
    }
    EXPECT_EQ(menu[0].children.size(), table.groupMembers(0).size());
}

TEST_F(KnobMenus, ChoicesAssignTheSlotAndTheLastEntryTogglesTheSchematics) {
    EXPECT_TRUE(machine_.command(10003, 1, nullptr, 1, EnvDecay));
    EXPECT_EQ(machine_.model().knobSlots().parameter(0, 1), EnvDecay);
    EXPECT_TRUE(refreshed(5000));
    EXPECT_EQ(markedValues(machine_.listProvider().fillMenu(10003)), (std::vector<int>{5, -1}));

    machine_.command(10003, 0, nullptr, 1, -1);
    EXPECT_NE(readFile(root_.file("Trommik2.ini")).find("DisplayParamScheme=false"), std::string::npos);
    Menu menu = machine_.listProvider().fillMenu(10003);
    EXPECT_FALSE(menu.back().marked);
    EXPECT_FALSE(menu[2].children[0].highlightInSchematic);
    EXPECT_EQ(machine_.model().knobSlots().parameter(0, 1), EnvDecay) << "the toggle assigns nothing";
    machine_.command(10003, 0, nullptr, 1, -1);
    EXPECT_TRUE(machine_.listProvider().fillMenu(10003).back().marked);
}

TEST_F(KnobMenus, FollowTheSynthesisType) {
    machine_.command(10014, 0, nullptr, 1, 3);
    Menu none = machine_.listProvider().fillMenu(10007);
    EXPECT_EQ(none.size(), 6u);
    EXPECT_EQ(none[0].text, "Sample (WAV) Playback");
    machine_.command(10014, 0, nullptr, 1, 2);
    EXPECT_EQ(machine_.listProvider().fillMenu(10007)[0].text, "Physical Modelling");
    EXPECT_TRUE(machine_.listProvider().fillMenu(10008).empty()) << "knobs 7..10 have no menu";
}

TEST_F(TypeMenus, ListTheSynthesisAndEffectTypesWithTheCurrentOneMarked) {
    machine_.setParameter(10001, 1.0f);
    machine_.command(10014, 0, nullptr, 1, 1);
    Menu synthesis = machine_.listProvider().fillMenu(10014);
    EXPECT_EQ(texts(synthesis), (std::vector<std::string>{"Filtered Noise", "Phase Distortion Synth",
                                                          "Physical Modelling", "No Synthesis"}));
    EXPECT_EQ(markedValues(synthesis), std::vector<int>{1});

    machine_.command(10013, 0, nullptr, 1, 8);
    Menu effects = machine_.listProvider().fillMenu(10013);
    ASSERT_EQ(effects.size(), 14u);
    for (int type = 0; type < 14; ++type) {
        EXPECT_EQ(effects[static_cast<size_t>(type)].text, effectDefinition(type).description.longName);
        EXPECT_EQ(effects[static_cast<size_t>(type)].value, type);
    }
    EXPECT_EQ(markedValues(effects), std::vector<int>{8});
}

TEST_F(ContentMenus, ShowTheListsWithFoldersAsSubmenusAndTheCurrentItemMarked) {
    fs::create_directories(pathOf("Kicks", kContentInstruments));
    for (const char* name : {"Kicks/Deep.tm2ins", "Kicks/Bright.tm2ins", "Top.tm2ins"})
        ASSERT_TRUE(machine_.instrumentDocument().saveInstrumentFile(0, pathOf(name, kContentInstruments)));
    machine_.contentLibrary().refreshList(kContentInstruments);
    machine_.contentLibrary().loadFile(kContentInstruments, pathOf("Kicks/Deep.tm2ins", kContentInstruments));

    Menu menu = machine_.listProvider().fillMenu(10023);
    ASSERT_EQ(texts(menu), (std::vector<std::string>{"Kicks", "Top"}));
    EXPECT_TRUE(menu[0].submenu);
    EXPECT_TRUE(menu[0].marked) << "the folder of the current item";
    EXPECT_FALSE(menu[1].marked);
    ASSERT_EQ(texts(menu[0].children), (std::vector<std::string>{"Bright", "Deep"}));
    EXPECT_EQ(markedValues(menu[0].children), std::vector<int>{menu[0].children[1].value});
    EXPECT_EQ(menu[0].children[0].path, pathOf("Kicks/Bright.tm2ins", kContentInstruments));

    EXPECT_TRUE(machine_.command(10023, 0, nullptr, 1, menu[0].children[0].value));
    EXPECT_EQ(machine_.bank().track(0).name, "Kicks\\Bright");

    std::string sample = pathOf("Loops/Beat.wav", kContentSamples);
    writeFile(sample, monoWave({1, 2, 3}));
    machine_.contentLibrary().refreshList(kContentSamples);
    machine_.command(10027, 0, sample.c_str(), 1, 0);
    Menu samples = machine_.listProvider().fillMenu(10027);
    ASSERT_EQ(samples.size(), 1u);
    ASSERT_EQ(samples[0].children.size(), 1u);
    EXPECT_TRUE(samples[0].children[0].marked);
    EXPECT_EQ(samples[0].children[0].path, sample) << "the text the sample menu sends";
    EXPECT_TRUE(machine_.listProvider().fillMenu(10024).empty());
    EXPECT_TRUE(machine_.listProvider().fillMenu(10040).empty());
}
