#pragma once

// When a held move acts again: first after a pause as long as a keyboard's, then at a rate
// that rises the longer the input is held, so that a long list is crossed in seconds and a
// short hold still moves by one.
class RepeatTiming {
public:
    static constexpr int kFirstDelayMs = 400;
    static constexpr int kSlowestMs = 120;
    static constexpr int kFastestMs = 30;

    // The wait before the next act, after `repeatsDone` repeats of a held input (0 right after
    // the press). Never below kFastestMs, never rising.
    static int delayMs(int repeatsDone);
};
