#pragma once

namespace trommik2 {

// Measures how deeply the elements of an XML text nest, without parsing it:
// the parser recurses per level, so a hostile text must be turned away before
// it reaches the parser.
class XmlNesting {
  public:
    // True when no element of text lies deeper than limit levels. Comments,
    // CDATA sections, declarations and quoted attribute values are skipped.
    static bool within(const char* text, int limit);
};

} // namespace trommik2
