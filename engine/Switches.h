#pragma once

// Switches hold 0 or 1; a hand-edited settings file may hold other numbers, which count as on.
inline bool IsOn(int value) { return value != 0; }
