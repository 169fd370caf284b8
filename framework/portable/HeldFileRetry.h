#pragma once

#include <functional>

// Other programs (virus scanners, the search indexer, backup and sync
// clients) open a file for a moment right after it changes. An attempt to
// use a file that meets such a hold is made again, in small steps, for
// about a second in all; any other outcome ends the attempts at once.

enum class FileAttempt { Done, Held, Failed };

constexpr unsigned kHeldRetryStepMs = 50;
constexpr unsigned kHeldRetrySteps = 20;

// What the process's window does while a hold is waited out: show is told
// true as the wait starts and false as it ends, before its outcome is known
// to anyone; pass waits out one step, answering what others ask of the
// window meanwhile. One for the process, set by its window; without one
// the thread sleeps and nobody is told.
struct CHeldFileWait {
    std::function<void(bool bWaiting)> show;
    std::function<void(unsigned nMs)> pass;
};
void SetHeldFileWait(CHeldFileWait wait);
void ShowHeldFileWait(bool bWaiting) noexcept;
void PassHeldFileWaitStep();

// attempt() until it is not held or the steps are used up. Returns the last
// outcome.
template <class TAttempt>
FileAttempt RetryWhileHeld(TAttempt attempt)
{
    FileAttempt outcome = attempt();
    if (outcome != FileAttempt::Held)
        return outcome;
    ShowHeldFileWait(true);
    for (unsigned nStep = 0; outcome == FileAttempt::Held && nStep < kHeldRetrySteps; ++nStep) {
        PassHeldFileWaitStep();
        outcome = attempt();
    }
    ShowHeldFileWait(false);
    return outcome;
}
