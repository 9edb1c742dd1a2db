// The emulator of the launch benchmarks: it records when its process began and when it ends
// on the monotonic clock, which the benchmark reads too, and runs for a given time between.
// No Qt, so its own start costs only the loading of the C library.
//
// Environment: TV_STAMP_FILE, the file that gets one line "start end" (nanoseconds) per run;
// TV_STAMP_RUN_MS, how long to run (0 when unset). Arguments are ignored.

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

} // namespace

int main() {
    const long long start = nowNs();
    const char* runMs = std::getenv("TV_STAMP_RUN_MS");
    const long long ms = runMs ? std::atoll(runMs) : 0;
    if (ms > 0) {
        timespec pause{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
        while (nanosleep(&pause, &pause) != 0) {
        }
    }
    const char* file = std::getenv("TV_STAMP_FILE");
    if (!file)
        return 0;
    const long long end = nowNs();
    FILE* out = std::fopen(file, "a");
    if (!out)
        return 1;
    std::fprintf(out, "%lld %lld\n", start, end);
    return std::fclose(out) == 0 ? 0 : 1;
}
