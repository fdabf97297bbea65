#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <tinyxml.h>

#include <content/PresetXml.h>
#include <content/XmlNesting.h>
#include <content/XmlValues.h>

#include "ContentTestSupport.h"

using namespace trommik2;

namespace {

std::string nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i)
        text += "<a>";
    for (int i = 0; i < depth; ++i)
        text += "</a>";
    return text;
}

TiXmlElement element(const char* attributes) {
    TiXmlDocument document;
    document.Parse((std::string("<e ") + attributes + "/>").c_str());
    return *document.FirstChildElement("e");
}

} // namespace

TEST(XmlNesting, CountsOnlyRealElementLevels) {
    EXPECT_TRUE(XmlNesting::within(nested(64).c_str(), 64));
    EXPECT_FALSE(XmlNesting::within(nested(65).c_str(), 64));
    EXPECT_TRUE(XmlNesting::within("<a><b/><b/><c x='<d>' y=\"/>\"></c></a>", 2));
    EXPECT_TRUE(XmlNesting::within("<a><!-- <b><c><d> --><![CDATA[<e><f>]]></a>", 1));
    EXPECT_TRUE(XmlNesting::within("<?xml version=\"1.0\" ?><!DOCTYPE x><a/>", 1));
    EXPECT_FALSE(XmlNesting::within("</a></a></a><a><a>", 1)) << "stray end tags do not buy depth";
    EXPECT_FALSE(XmlNesting::within("<a x=y\"><a><a>", 2)) << "a quote that opens no value hides nothing";
    EXPECT_TRUE(XmlNesting::within("<a x=\"unclosed><b><c><d>", 1));
}

TEST(PresetXml, RefusesDeepTextsBeforeParsing) {
    TiXmlDocument document;
    EXPECT_FALSE(PresetXml::parse(nested(200000).c_str(), document)) << "would exhaust the stack";
    EXPECT_TRUE(PresetXml::parse(nested(10).c_str(), document));
    EXPECT_FALSE(PresetXml::parse(nullptr, document));
}

TEST(PresetXml, FindsThePayloadOnlyInsideTheFirstPreset) {
    TiXmlDocument document;
    ASSERT_TRUE(PresetXml::parse("<?xml version=\"1.0\" ?><preset owner=\"Other\"><x/><setup/></preset>", document));
    EXPECT_NE(PresetXml::findPayload(document, "setup"), nullptr) << "the owner is not checked";
    EXPECT_EQ(PresetXml::findPayload(document, "pattern"), nullptr);
    TiXmlDocument bare;
    ASSERT_TRUE(PresetXml::parse("<setup/>", bare));
    EXPECT_EQ(PresetXml::findPayload(bare, "setup"), nullptr);
}

TEST(PresetXml, TheEnvelopePrintsAsTheFormatHasIt) {
    TiXmlDocument document;
    PresetXml::createEnvelope(document).LinkEndChild(new TiXmlElement("pattern"));
    std::string text = "kept:";
    PresetXml::appendText(document, text);
    EXPECT_EQ(text, "kept:<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><pattern /></preset>");
}

TEST(PresetXml, LoadingAMissingOrBrokenFileFails) {
    TempFolder folder("presetxml");
    TiXmlDocument document;
    EXPECT_FALSE(PresetXml::load(folder.file("missing.tm2set"), document));
    writeFile(folder.file("cut.tm2set"), "<?xml version=\"1.0\" ?><preset owner=\"Trommik2\"><setup name=\"x");
    EXPECT_FALSE(PresetXml::load(folder.file("cut.tm2set"), document));
    EXPECT_FALSE(PresetXml::load(folder.path().string(), document)) << "a folder is no document";
}

TEST(XmlValues, NumbersPrintWithSixDecimals) {
    EXPECT_EQ(XmlValues::format(8000.0), "8000.000000");
    EXPECT_EQ(XmlValues::format(-0.25), "-0.250000");
    EXPECT_EQ(XmlValues::format(-2.2e-7), "0.000000") << "no negative zero";
    EXPECT_EQ(XmlValues::format(1.0), "1.000000");
}

TEST(XmlValues, BadNumbersGiveTheFallback) {
    EXPECT_EQ(XmlValues::number(element("v=\"12.5\""), "v", 7.0), 12.5);
    EXPECT_EQ(XmlValues::number(element("v=\" -3 \""), "v", 7.0), -3.0);
    EXPECT_EQ(XmlValues::number(element(""), "v", 7.0), 7.0);
    EXPECT_EQ(XmlValues::number(element("v=\"\""), "v", 7.0), 7.0);
    EXPECT_EQ(XmlValues::number(element("v=\"12abc\""), "v", 7.0), 12.0);
    EXPECT_EQ(XmlValues::number(element("v=\"8000.5Hz\""), "v", 7.0), 8000.5);
    EXPECT_EQ(XmlValues::number(element("v=\"abc\""), "v", 7.0), 7.0);
    EXPECT_EQ(XmlValues::number(element("v=\"nan\""), "v", 7.0), 7.0);
    EXPECT_EQ(XmlValues::number(element("v=\"-inf\""), "v", 7.0), -INFINITY);
    EXPECT_EQ(XmlValues::number(element("v=\"1e999\""), "v", 7.0), INFINITY);
    EXPECT_EQ(XmlValues::integer(element("v=\"2.9\""), "v", 1), 2);
    EXPECT_EQ(XmlValues::integer(element("v=\"-2.9\""), "v", 1), -2);
    EXPECT_EQ(XmlValues::integer(element("v=\"99999999999999\""), "v", 1), 2147483647);
    EXPECT_EQ(XmlValues::integer(element("v=\"-inf\""), "v", 1), -2147483647 - 1);
    EXPECT_EQ(XmlValues::integer(element("v=\"five\""), "v", 1), 1);
    EXPECT_EQ(XmlValues::integer(element("v=\"3 bars\""), "v", 1), 3);
    EXPECT_EQ(XmlValues::text(element("v=\"a &amp; b\""), "v"), "a & b");
    EXPECT_EQ(XmlValues::text(element(""), "v"), "");
}

TEST(XmlValues, NamesAreCutToTheirCapacityOnACharacterBoundary) {
    EXPECT_EQ(XmlValues::name(std::string(259, 'x')).size(), 259u);
    EXPECT_EQ(XmlValues::name(std::string(5000, 'x')).size(), 259u);
    std::string umlauts = std::string(258, 'x') + "\xC3\xA4\xC3\xA4";
    EXPECT_EQ(XmlValues::name(umlauts), std::string(258, 'x')) << "the two-byte character would be split";
}
