// Cairo and fontconfig keep the fonts they loaded for the life of the process;
// freeing them at the end keeps LeakSanitizer's report to what the tests own.
#include <gtest/gtest.h>

#include <cairo.h>
#include <fontconfig/fontconfig.h>

namespace {

class CairoFontCleanup : public ::testing::Environment {
  public:
    void TearDown() override {
        cairo_debug_reset_static_data();
        FcFini();
    }
};

[[maybe_unused]] ::testing::Environment* const cleanup = ::testing::AddGlobalTestEnvironment(new CairoFontCleanup);

} // namespace
