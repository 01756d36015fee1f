// The progress line's text: numbers grouped the same everywhere, the time left from the pace so
// far, rounded up so that a run with files left never reads as finished.
#include <gtest/gtest.h>

#include "tests/support/qtstrings.h"
#include "zarn/shell/progressline.h"

namespace {

TEST(ProgressLine, GroupsThousands) {
    const std::pair<qint64, const char*> rows[] = {
        {0, "0"},          {999, "999"},        {1000, "1,000"},
        {1234, "1,234"},   {100000, "100,000"}, {1234567, "1,234,567"},
        {-1234, "-1,234"},
    };
    for (const auto& [number, text] : rows) EXPECT_EQ(GroupedNumber(number), U(text)) << number;
}

TEST(ProgressLine, TimeLeftFollowsThePaceSoFar) {
    struct Row {
        int done, total;
        qint64 elapsedMs;
        const char* text;
    };
    const Row rows[] = {
        {0, 10000, 5000, "0 of 10,000 files"},  // no pace yet
        {1234, 10000, 1234, "1,234 of 10,000 files, 9 s left"},
        {5000, 10000, 3000, "5,000 of 10,000 files, 3 s left"},
        {9999, 10000, 9999, "9,999 of 10,000 files, 1 s left"},  // 1 ms left reads 1 s
        {100, 1000, 10000, "100 of 1,000 files, 1 min 30 s left"},
        {1, 100000, 1000, "1 of 100,000 files, 27 h 46 min left"},
        {10000, 10000, 8000, "10,000 of 10,000 files"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(ProgressLineText(r.done, r.total, r.elapsedMs), U(r.text)) << r.text;
}

TEST(ProgressLine, StopSaysHowFarTheRunCame) {
    EXPECT_EQ(StoppedText(1234, 10000),
              U("stopped after 1,234 of 10,000 files; the others were not touched"));
}

}  // namespace
