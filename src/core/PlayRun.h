#pragma once
// What every engine that adds plays to the list is given and what it answers: the generators,
// the eliminators, the reductions and the windows and commands that run them share these.

#include <array>
#include <cstdint>
#include <vector>

namespace numora {

// A completed run that added nothing.
inline constexpr const char* NoPlayAddedMessage =
    "Non è stata aggiunta nemmeno una giocata!\rVerifivcare la presenza delle fisse nel pronostico.";

// What the new plays of a run are made of.
struct PlayRequest {
    std::vector<std::uint8_t> forecast; // the forecast numbers, any order (the engines sort them)
    std::vector<std::uint8_t> fixed;    // numbers every play must hold ("Considera Fisse"), else empty
    int size = 1;                       // K, numbers per play
    std::uint16_t wheels = 0;           // the play mask: bits 0..9 regional, 10 "Nazion.", 11 "Tutte"
    std::array<double, 5> stakes{};     // estratto .. cinquina of every new play
};

enum class RunOutcome {
    Completed,   // the plays are committed (possibly none)
    Interrupted, // the progress callback said stop: nothing committed
    ListFull,    // the 100000 plays would be passed: nothing committed (PlayListFullMessage)
};

struct RunResult {
    RunOutcome outcome = RunOutcome::Completed;
    int added = 0; // plays committed by the run
};

} // namespace numora
