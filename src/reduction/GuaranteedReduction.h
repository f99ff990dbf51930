#pragma once
// "Riduzione a garanzia": out of every combination of the forecast, a greedy choice of plays such
// that each combination shares at least the threshold with one of them.

#include "core/PlayList.h"
#include "generation/Generation.h"

#include <span>
#include <vector>

namespace numora {

inline constexpr int GuaranteeBufferCapacity = 252;

// The guaranteed score (1 estratto .. 5 cinquina) as the dialog keeps it: never above the play size.
int ClampedScore(int size, int score);
// The numbers a play must share with a combination to cover it: the score for plays of up to five
// numbers, the score plus the numbers beyond five for larger plays.
int GuaranteeThreshold(int size, int score);

struct GuaranteedRequest {
    PlayRequest play; // forecast, fixed numbers, size N, wheels and stakes of the new plays
    int score = 1;    // 1..5, lowered to N
};

struct GuaranteedPlays {
    RunOutcome outcome = RunOutcome::Completed;
    std::vector<Play> plays; // the chosen plays in the order they were chosen; empty unless Completed
};

// The reduction itself, without touching a list. `committed` are the plays already in the list:
// those with the request's wheels and the very same five stakes cover combinations as the new
// ones do. Every combination of N forecast numbers (holding the fixed numbers) is enumerated once
// in the program's order; a candidate that neither lacks a fixed number nor is covered by a play
// enters a buffer of 252; a full buffer, and the buffer left at the end until it is empty, gives
// one play per greedy step: the first candidate covering the most others, which then leave the
// buffer. `room` is how many plays may be chosen before the list would be full (ListFull);
// below 0 it is the room left by the committed plays. Progress: every interval enumerated
// combinations of the enumeration (done of count, found = plays chosen); stopping is honoured
// only there, never during the steps after the enumeration.
GuaranteedPlays ReduceToGuarantee(std::span<const Play> committed, const GuaranteedRequest& request,
                                  const Progress& progress = {}, int room = -1);

// The dialog's run: the plays of ReduceToGuarantee after the committed ones, the count raised
// only when the run completes.
RunResult ReduceGuaranteed(PlayList& list, const GuaranteedRequest& request, const Progress& progress = {});

} // namespace numora
