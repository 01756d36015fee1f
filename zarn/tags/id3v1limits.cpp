#include "zarn/tags/id3v1limits.h"

#include <algorithm>

ID3v1BoxLimits ID3v1LengthLimits(bool optimized, int albumLength, int commentLength,
                                 bool hasTrack) {
    if (!optimized) return {};
    constexpr int kPacked = 59;
    return {std::max(0, kPacked - albumLength),
            std::max(30, kPacked - commentLength - (hasTrack ? 2 : 0))};
}
