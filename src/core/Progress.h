#pragma once

#include <cstdint>
#include <functional>

namespace numora {

// How far a long computation has come, in the engine's own unit of work (combinations, plays,
// pairs): done of total, plus how many results it has found so far (plays kept or added), which
// some windows show beside the gauge.
struct ProgressStatus {
    std::uint64_t done = 0;
    std::uint64_t total = 0;
    std::uint64_t found = 0;
};

// Called by an engine at fixed points of its work. True means go on, false means stop at once:
// the engine then abandons its run as the window asked.
using ProgressCallback = std::function<bool(const ProgressStatus&)>;

// The step counts after which the program's long runs let the window system breathe.
inline constexpr std::uint64_t CombinationInterval = 64;     // enumerating generators and reductions
inline constexpr std::uint64_t ConditionedPlayInterval = 17; // conditions applied to the current plays
inline constexpr std::uint64_t EliminatedPlayInterval = 173; // eliminators scoring the plays
inline constexpr std::uint64_t CountedPlayInterval = 1215;   // numbers counted over the plays

// What an engine is given: the callback (empty: the run is never interrupted) and the number of
// steps between two calls.
struct Progress {
    ProgressCallback callback;
    std::uint64_t interval = CombinationInterval;
};

// The counter an engine steps once per unit of work. Every `interval` steps it calls the callback
// with the steps made so far; a step in between costs an increment and a comparison. Once the
// callback has said stop, every later step says stop too without calling it again.
class ProgressTicker {
public:
    ProgressTicker(const Progress& progress, std::uint64_t total)
        : callback_(progress.callback), interval_(progress.interval == 0 ? 1 : progress.interval) {
        status_.total = total;
    }

    // One unit of work done; false when the run must stop.
    bool step() {
        ++status_.done;
        if (++sinceCall_ < interval_) return !stopped_;
        return report();
    }
    // Several units of work done at once (a row of an enumeration): the callback is called when
    // the interval is reached or passed, once.
    bool advance(std::uint64_t steps) {
        status_.done += steps;
        sinceCall_ += steps;
        if (sinceCall_ < interval_) return !stopped_;
        return report();
    }
    // Calls the callback now, whatever the interval: the end of a phase, a changed total.
    bool report() {
        sinceCall_ = 0;
        if (stopped_) return false;
        if (callback_ && !callback_(status_)) stopped_ = true;
        return !stopped_;
    }

    void setFound(std::uint64_t found) { status_.found = found; }
    void setTotal(std::uint64_t total) { status_.total = total; }
    // For engines whose gauge follows its own measure (a share of the found plays, the time
    // spent): the next report shows `done` of the total.
    void setDone(std::uint64_t done) { status_.done = done; }

    const ProgressStatus& status() const { return status_; }
    bool stopped() const { return stopped_; }

private:
    ProgressCallback callback_;
    std::uint64_t interval_;
    std::uint64_t sinceCall_ = 0;
    ProgressStatus status_;
    bool stopped_ = false;
};

} // namespace numora
