#pragma once

// Sleeps nMs milliseconds, answering meanwhile what other threads and
// programs send to this thread's windows (a screen reader asking a window
// for its name, through WM_GETOBJECT or WM_GETTEXT); what is posted, the
// user's input among it, waits for the message loop.
void SleepAnsweringSentMessages(unsigned nMs);
