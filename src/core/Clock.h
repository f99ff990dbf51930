#pragma once

#include <chrono>
#include <cstdint>

namespace numora {

// The millisecond clock the time-budgeted runs measure their budget with. Only differences of
// two readings mean anything; the readings never go backwards.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t milliseconds() = 0;
};

class SystemClock : public Clock {
public:
    std::int64_t milliseconds() override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

// The processor time of this process in milliseconds: a budget measured on it buys the same
// work, and a seeded search the same result, however loaded the machine is.
class ProcessorClock : public Clock {
public:
    std::int64_t milliseconds() override;
};

// The clock of the program's windows.
inline Clock& DefaultClock() {
    static SystemClock clock;
    return clock;
}

// A clock that moves only when told: by advance(), or by `step` milliseconds at every reading, so
// that a run against a time budget ends after a known number of readings.
class ManualClock : public Clock {
public:
    explicit ManualClock(std::int64_t start = 0, std::int64_t step = 0) : now_(start), step_(step) {}
    std::int64_t milliseconds() override {
        const std::int64_t t = now_;
        now_ += step_;
        ++readings_;
        return t;
    }
    void advance(std::int64_t ms) { now_ += ms; }
    void setStep(std::int64_t step) { step_ = step; }
    int readings() const { return readings_; }

private:
    std::int64_t now_;
    std::int64_t step_;
    int readings_ = 0;
};

} // namespace numora
