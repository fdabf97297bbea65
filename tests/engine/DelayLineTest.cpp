#include <gtest/gtest.h>

#include <engine/DelayLine.h>

using namespace trommik2;

namespace {

// Writes 1, 2, 3, ... count samples; the sample written d samples ago then reads count - d.
void writeRamp(DelayLine& line, int count) {
    DelayLine::Cursor cursor = line.cursor();
    for (int i = 1; i <= count; ++i)
        cursor.write(static_cast<float>(i));
    line.keep(cursor);
}

} // namespace

TEST(DelayLine, ExtendingKeepsWhatTheLineHoldsInOrder) {
    for (int written : {500, 1500, 2600}) { // before, at and after the first wrap of 1100 samples
        DelayLine line;
        line.reserve(10000);
        line.extend(100);
        ASSERT_EQ(line.length(), 1100);
        writeRamp(line, written);
        line.extend(3000);
        EXPECT_EQ(line.length(), 4000);
        for (int d = 1; d <= 1100; ++d) {
            float expected = d <= written ? static_cast<float>(written - d + 1) : 0.0f;
            ASSERT_EQ(line.cursor().readInteger(d), expected) << written << " written, delay " << d;
        }
        for (int d = 1101; d < 4000; ++d)
            ASSERT_EQ(line.cursor().readInteger(d), 0.0f) << "older than anything kept: delay " << d;
        line.extend(20000);
        EXPECT_EQ(line.length(), 11000) << "never beyond the reserve";
    }
}

TEST(DelayLine, ClearSilencesWhatWasWritten) {
    for (int written : {300, 2500}) {
        DelayLine line;
        line.require(1000);
        writeRamp(line, written);
        line.clear();
        for (int d = 1; d < line.length(); ++d)
            ASSERT_EQ(line.cursor().readInteger(d), 0.0f) << written << " written, delay " << d;
    }
}
