#pragma once

#include <functional>

// Other programs (virus scanners, the search indexer, backup and sync
// clients) open a file for a moment right after it changes. An attempt to
// use a file that meets such a hold is made again, in small steps, for
// about a second in all; any other outcome ends the attempts at once. The
// window, which cannot answer meanwhile, shows that it waits.

enum class FileAttempt { Done, Held, Failed };

constexpr unsigned kHeldRetryStepMs = 50;
constexpr unsigned kHeldRetrySteps = 20;

// Told true when the program starts to wait out a hold, false when the
// wait is over, before its outcome is known to anyone; one for the process,
// set by its window (none: nobody is told).
void SetHeldFileWaitShown(std::function<void(bool bWaiting)> show);
void ShowHeldFileWait(bool bWaiting);

// attempt() until it is not held or the steps are used up; sleep(ms)
// between. Returns the last outcome.
template <class TAttempt, class TSleep>
FileAttempt RetryWhileHeld(TAttempt attempt, TSleep sleep)
{
    FileAttempt outcome = attempt();
    if (outcome != FileAttempt::Held)
        return outcome;
    ShowHeldFileWait(true);
    for (unsigned nStep = 0; outcome == FileAttempt::Held && nStep < kHeldRetrySteps; ++nStep) {
        sleep(kHeldRetryStepMs);
        outcome = attempt();
    }
    ShowHeldFileWait(false);
    return outcome;
}
