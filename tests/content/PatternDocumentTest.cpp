#include <gtest/gtest.h>

#include <string>

#include <tinyxml.h>

#include <content/PatternDocument.h>
#include <content/PresetXml.h>
#include <content/StepCodec.h>

#include "ContentTestSupport.h"

using namespace trommik2;

namespace {

std::string pattern(const std::string& attributes, const std::string& tracks) {
    return "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><pattern version=\"1.000000\" " + attributes +
           "><tracks>" + tracks + "</tracks></pattern></preset>";
}

class PatternDocumentTest : public testing::Test {
  protected:
    PatternDocumentTest() : root_("pattern-doc"), host_(root_.path()), document_(host_) {}

    // Reads a pattern document held as text, names not kept.
    bool read(const std::string& text) {
        TiXmlDocument parsed;
        const TiXmlElement* element = PresetXml::parsePayload(text.c_str(), parsed, "pattern");
        return element && document_.readPattern(*element, false);
    }

    std::string written() {
        std::string text;
        PresetXml::appendPayloadText(text, [this](TiXmlNode& preset) { document_.writePattern(preset); });
        return text;
    }

    Sequencer& sequencer() { return host_.model().sequencer(); }

    TempFolder root_;
    TestDocumentHost host_;
    PatternDocument document_;
};

} // namespace

TEST_F(PatternDocumentTest, StepsAndTimingAreRead) {
    ASSERT_TRUE(read(pattern("name=\"Groove\" shuffle=\"33\" numbars=\"3\" resolution=\"32\"",
                             "<track number=\"2\" random=\"0.5\"><velocity>7F00</velocity></track>")));
    EXPECT_EQ(host_.model().patternName(), "Groove");
    EXPECT_EQ(sequencer().shuffle(), 33);
    EXPECT_EQ(sequencer().bars(), 3);
    EXPECT_EQ(host_.model().stepResolution(), 32);
    const TrackPattern& track = sequencer().track(2);
    EXPECT_EQ(track.velocity(0), 127);
    EXPECT_TRUE(track.stepMask().test(0));
    EXPECT_EQ(track.velocity(1), 0);
    EXPECT_FALSE(track.stepMask().test(1));
    EXPECT_EQ(track.stepMask().word(0), 1u);
    EXPECT_EQ(track.velocityRandom(), 0.5f);
    EXPECT_FALSE(sequencer().track(1).hasSteps()) << "every track is cleared first, the default snare too";
    EXPECT_EQ(track.position(2), 2 * sequencer().samplesPerStep() + 33 * sequencer().samplesPerStep() / 100);
}

TEST_F(PatternDocumentTest, MissingAttributesTakeTheirDefaults) {
    host_.model().setStepResolution(8);
    sequencer().setShuffle(50);
    sequencer().setBars(4);
    ASSERT_TRUE(read(pattern("", "")));
    EXPECT_EQ(sequencer().shuffle(), 0);
    EXPECT_EQ(sequencer().bars(), 1);
    EXPECT_EQ(host_.model().stepResolution(), 8) << "no resolution leaves the grid's";
    ASSERT_TRUE(read(pattern("resolution=\"0\" shuffle=\"250\" numbars=\"9\"", "")));
    EXPECT_EQ(host_.model().stepResolution(), 8);
    EXPECT_EQ(sequencer().shuffle(), 100);
    EXPECT_EQ(sequencer().bars(), 4);
    ASSERT_TRUE(read(pattern("shuffle=\"-4\" numbars=\"-1\"", "")));
    EXPECT_EQ(sequencer().shuffle(), 0);
    EXPECT_EQ(sequencer().bars(), 1);
}

TEST_F(PatternDocumentTest, TrackNumbersAreClampedAndAtMostSixteenAreRead) {
    std::string tracks;
    for (int i = 0; i < 17; ++i)
        tracks += "<track random=\"" + std::to_string(i + 1) + "\"><velocity>01</velocity></track>";
    ASSERT_TRUE(read(pattern("", tracks)));
    for (int t = 0; t < 16; ++t)
        EXPECT_EQ(sequencer().track(t).velocityRandom(), static_cast<float>(t + 1)) << "tracks by position";

    ASSERT_TRUE(read(pattern("", "<track number=\"20\"><velocity>05</velocity></track>"
                                 "<track number=\"-3\"><velocity>06</velocity></track>"
                                 "<track number=\"x\"><velocity>07</velocity></track>")));
    EXPECT_EQ(sequencer().track(15).velocity(0), 5);
    EXPECT_EQ(sequencer().track(0).velocity(0), 6);
    EXPECT_EQ(sequencer().track(2).velocity(0), 7) << "a number that is none counts as absent";
}

TEST_F(PatternDocumentTest, AutomationIsReadWithItsScalingAndRandom) {
    ASSERT_TRUE(read(pattern("", "<track number=\"4\"><velocity /><automation_list>"
                                 "<automation id=\"OutPan\" scaling=\"0.5\" random=\"0.25\">0000FFFF</automation>"
                                 "<automation id=\"FilterFreq\">0000</automation>"
                                 "<automation id=\"Nothing\" scaling=\"3\">FFFF</automation>"
                                 "<other /></automation_list><extra /></track>")));
    const TrackPattern& track = sequencer().track(4);
    EXPECT_EQ(track.automationScale(OutPan), 0.5f);
    EXPECT_EQ(track.automationRandom(OutPan), 0.25f);
    EXPECT_EQ(track.automationValue(OutPan, 0), -1.0f);
    EXPECT_EQ(track.automationValue(OutPan, 1), 1.0f);
    EXPECT_EQ(track.automationMask(OutPan).word(0), 3u);
    EXPECT_EQ(track.automationScale(FilterFreq), 1.0f);
    EXPECT_FALSE(track.hasAutomation(FilterFreq));
    EXPECT_FALSE(track.hasAutomation(GenSynthesisType)) << "an unknown key is skipped";
    EXPECT_EQ(track.automationScale(GenSynthesisType), 1.0f);
    EXPECT_FALSE(track.hasSteps());
}

TEST_F(PatternDocumentTest, ReadingClearsModulationOffsets) {
    host_.model().bank().voice(9).setModuleValue(FilterFreq, 300.0f, ModuleParameter::kOffset);
    ASSERT_TRUE(read(pattern("", "")));
    EXPECT_EQ(host_.model().bank().voice(9).moduleValue(FilterFreq, ModuleParameter::kOffset), 0.0f);
}

TEST_F(PatternDocumentTest, WritingGivesEveryTrackAndOnlyItsAutomation) {
    sequencer().setShuffle(12);
    sequencer().setBars(4);
    host_.model().patternName() = "Beat";
    TrackPattern& track = sequencer().track(3);
    track.setStep(5, 100);
    track.setAutomationPoint(OutPan, 5, -1.0f);
    track.setAutomationScale(OutPan, 0.75f);
    std::string text = written();
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><pattern version=\"1.000000\" "
                         "name=\"Beat\" shuffle=\"12\" numbars=\"4\" resolution=\"16\"><tracks><track number=\"0\" "
                         "random=\"0.000000\"><velocity>0000",
                         0),
              0u);
    EXPECT_EQ(text.find("<automation_list>"), text.rfind("<automation_list>")) << "only track 3 has automation";
    std::string steps;
    for (int k = 0; k < 128; ++k)
        steps += k == 5 ? "0000" : "7FFF"; // a step without a point holds 0, the middle of the pan range
    std::string expected = "<track number=\"3\" random=\"0.000000\"><velocity>" + std::string(10, '0') + "64" +
                           std::string(244, '0') +
                           "</velocity><automation_list><automation id=\"OutPan\" scaling=\"0.750000\" "
                           "random=\"0.000000\">" +
                           steps + "</automation></automation_list></track>";
    EXPECT_NE(text.find(expected), std::string::npos);
    EXPECT_NE(text.find("<track number=\"15\""), std::string::npos);
}

TEST_F(PatternDocumentTest, APatternReadsBackToTheSameText) {
    for (int t = 0; t < 16; ++t) {
        TrackPattern& track = sequencer().track(t);
        track.setVelocityRandom(0.125f * t);
        for (int k = t; k < 128; k += 5)
            track.setStep(k, (k * 7 + t) % 128);
        for (int p = 2 + t; p < kParameterCount; p += 9) {
            const ParameterDescriptor& d = host_.model().bank().table().descriptor(p);
            // Every step: a step without a point would come back as the value of its word.
            for (int k = 0; k < 128; ++k)
                track.setAutomationPoint(p, k,
                                         StepCodec::fromWord(static_cast<uint16_t>(k % (3 + t) == 0 ? 0 : k * 511 + p),
                                                             d.automationMinimum, d.automationMaximum));
            track.setAutomationScale(p, 0.5f + t);
            track.setAutomationRandom(p, 0.0625f * p);
        }
    }
    std::string first = written();
    TestDocumentHost other(root_.path());
    PatternDocument reader(other);
    TiXmlDocument parsed;
    ASSERT_TRUE(reader.readPattern(*PresetXml::parsePayload(first.c_str(), parsed, "pattern"), false));
    for (int t = 0; t < 16; ++t) {
        const TrackPattern& a = sequencer().track(t);
        const TrackPattern& b = other.model().sequencer().track(t);
        ASSERT_EQ(a.velocityRandom(), b.velocityRandom());
        for (int k = 0; k < 128; ++k) {
            ASSERT_EQ(a.velocity(k), b.velocity(k));
            for (int p = 0; p < kParameterCount; ++p)
                ASSERT_EQ(a.automationValue(p, k), b.automationValue(p, k)) << t << " " << p << " " << k;
        }
        for (int p = 0; p < kParameterCount; ++p) {
            ASSERT_EQ(a.automationScale(p), b.automationScale(p));
            ASSERT_EQ(a.automationRandom(p), b.automationRandom(p));
            for (int w = 0; w < 4; ++w)
                ASSERT_EQ(a.automationMask(p).word(w), b.automationMask(p).word(w));
        }
        for (int w = 0; w < 4; ++w)
            ASSERT_EQ(a.stepMask().word(w), b.stepMask().word(w));
    }
    std::string second;
    PresetXml::appendPayloadText(second, [&](TiXmlNode& preset) { reader.writePattern(preset); });
    EXPECT_EQ(second, first);
}

TEST_F(PatternDocumentTest, FilesAreNamedAndTellTheEditor) {
    std::string path = host_.contentFolders().pathOf("Funk\\One.tm2pat", kContentPatterns);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(document_.savePatternFile(path));
    EXPECT_EQ(host_.model().patternName(), "Funk\\One");
    EXPECT_EQ(host_.refreshes, std::vector<int>{5005});
    host_.refreshes.clear();
    host_.model().patternName() = "elsewhere";
    sequencer().track(0).setStep(0, 9);
    ASSERT_TRUE(document_.loadPatternFile(path, false));
    EXPECT_EQ(host_.model().patternName(), "Funk\\One");
    EXPECT_EQ(sequencer().track(0).velocity(0), 0);
    EXPECT_EQ(sequencer().track(1).velocity(0), 127) << "the default snare came back from the file";
    EXPECT_EQ(host_.refreshes, (std::vector<int>{5005, 5003}));
    EXPECT_FALSE(document_.loadPatternFile(root_.file("nothing.tm2pat"), false));
}
