// The drop-down lists of the search-path and file-name boxes: histories, most recent first.
#pragma once

#include <windows.h>

// Puts the box's trimmed text on top of its list, removing the first entry equal to it
// (letter case ignored); an empty or blank text changes nothing.
void AddComboTextToHistory(HWND combo);
// Empties the list and the text.
void ClearComboHistory(HWND combo);
