#include "XmlValues.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include <tinyxml.h>

namespace trommik2 {

std::string XmlValues::format(double value) {
    char text[400]; // "%f" of the largest double has 316 characters
    std::snprintf(text, sizeof text, "%f", value);
    std::string printed = text;
    if (printed == "-0.000000")
        printed.erase(0, 1);
    return printed;
}

void XmlValues::setNumber(TiXmlElement& element, const char* name, double value) {
    element.SetAttribute(name, format(value));
}

double XmlValues::number(const TiXmlElement& element, const char* name, double fallback) {
    const char* text = element.Attribute(name);
    if (!text)
        return fallback;
    // As the XML library reads numbers: a numeric prefix counts ("8000.5Hz" is
    // 8000.5), text without one keeps the fallback.
    char* end = nullptr;
    double value = std::strtod(text, &end);
    return end == text || std::isnan(value) ? fallback : value;
}

int XmlValues::integer(const TiXmlElement& element, const char* name, int fallback) {
    double value = number(element, name, std::numeric_limits<double>::quiet_NaN());
    if (std::isnan(value))
        return fallback;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(value < lo ? lo : (value > hi ? hi : value));
}

std::string XmlValues::text(const TiXmlElement& element, const char* name) {
    const char* value = element.Attribute(name);
    return value ? value : "";
}

bool XmlValues::has(const TiXmlElement& element, const char* name) { return element.Attribute(name) != nullptr; }

std::string XmlValues::name(const std::string& text) {
    if (text.size() <= kNameCapacity)
        return text;
    size_t cut = kNameCapacity;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut; // text[cut] continues a sequence: cut before the sequence starts
    return text.substr(0, cut);
}

} // namespace trommik2
