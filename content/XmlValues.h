#pragma once

#include <string>

class TiXmlElement;

namespace trommik2 {

// Reading and writing the attribute values of documents. Readers never fail:
// a value that is absent or not a number gives the caller's fallback.
class XmlValues {
  public:
    // Names and paths hold at most this many characters.
    static constexpr size_t kNameCapacity = 259;

    // "%f": six decimals, "8000.000000". A value that prints as zero prints
    // without a minus sign, so the factory volume reads "0.000000".
    static std::string format(double value);
    static void setNumber(TiXmlElement& element, const char* name, double value);

    // The attribute's numeric prefix, or fallback when it is absent, has no
    // numeric prefix, or is NaN. Infinities pass (callers clamp).
    static double number(const TiXmlElement& element, const char* name, double fallback);
    // The same truncated toward zero and held inside the int range.
    static int integer(const TiXmlElement& element, const char* name, int fallback);
    // The attribute's text; empty when absent.
    static std::string text(const TiXmlElement& element, const char* name);
    // Whether the attribute is present at all.
    static bool has(const TiXmlElement& element, const char* name);
    // The text cut to the name capacity, never inside a UTF-8 sequence.
    static std::string name(const std::string& text);
};

} // namespace trommik2
