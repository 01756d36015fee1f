#include "zarn/extras/player.h"

#include <algorithm>
#include <cmath>

double LinearVolume(int hundredthsOfDecibel) {
    // A level of L decibels is an amplitude of 10^(L/20); L is hundredths / 100.
    return std::clamp(std::pow(10.0, hundredthsOfDecibel / 2000.0), 0.0, 1.0);
}
