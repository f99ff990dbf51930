#include "core/Clock.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <ctime>
#endif

namespace numora {

std::int64_t ProcessorClock::milliseconds() {
#if defined(_WIN32)
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    auto ticks = [](const FILETIME& f) {
        return (static_cast<std::int64_t>(f.dwHighDateTime) << 32) | static_cast<std::int64_t>(f.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000; // 100 ns units
#else
    timespec t{};
    if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0) return 0;
    return static_cast<std::int64_t>(t.tv_sec) * 1000 + static_cast<std::int64_t>(t.tv_nsec) / 1000000;
#endif
}

} // namespace numora
