#pragma once

// Dispatches every message waiting in the thread's queue and returns as soon as it is empty;
// long loops call it so that the window stays usable and the Abort command gets through.
void PumpMessages();

// The same, for the check points passed for every entry: it pumps only when the last pump is
// a few milliseconds old. Asking the queue costs a round trip to the window system each time,
// which would otherwise cost more than the work on a file; the user sees no difference.
void PumpMessagesIfDue();
