// The per-entry line of the log, shared by runs and undos.
#pragma once

#include "framework/CString.h"

#include <windows.h>

// "    %s : %c%c%c%c%c %s %s %s": the status word (EntryStatus), the letters d a r h s, the
// last-write time, the size (or "  < Dir > ") and the name as given.
CString EntryLineText(int status, const WIN32_FIND_DATAW& record, const char* name);
