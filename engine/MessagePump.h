#pragma once

// Dispatches every message waiting in the thread's queue and returns as soon as it is empty;
// long loops call it so that the window stays usable and the Abort command gets through.
void PumpMessages();
