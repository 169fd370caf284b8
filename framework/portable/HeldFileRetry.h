#pragma once

// Other programs (virus scanners, the search indexer, backup and sync
// clients) open a file for a moment right after it changes. An attempt to
// use a file that meets such a hold is made again, in small steps, for
// about a second in all; any other outcome ends the attempts at once.

enum class FileAttempt { Done, Held, Failed };

constexpr unsigned kHeldRetryStepMs = 50;
constexpr unsigned kHeldRetrySteps = 20;

// attempt() until it is not held or the steps are used up; sleep(ms)
// between. Returns the last outcome.
template <class TAttempt, class TSleep>
FileAttempt RetryWhileHeld(TAttempt attempt, TSleep sleep)
{
    FileAttempt outcome = attempt();
    for (unsigned nStep = 0; outcome == FileAttempt::Held && nStep < kHeldRetrySteps; ++nStep) {
        sleep(kHeldRetryStepMs);
        outcome = attempt();
    }
    return outcome;
}
