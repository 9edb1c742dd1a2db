#include "controllers/RepeatTiming.h"

#include <algorithm>

int RepeatTiming::delayMs(int repeatsDone) {
    if (repeatsDone <= 0)
        return kFirstDelayMs;
    // Each repeat takes a tenth off the wait: about two seconds from slowest to fastest.
    double delay = kSlowestMs;
    for (int i = 1; i < repeatsDone && delay > kFastestMs; ++i)
        delay *= 0.9;
    return std::max(kFastestMs, static_cast<int>(delay));
}
