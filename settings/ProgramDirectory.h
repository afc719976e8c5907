// The directory of the program, taken from its own path as started (argument 0).
#pragma once

#include "framework/CString.h"

// Empty without a backslash or with one only in front; "C:\" for a program in a drive's root.
CString ProgramDirectory(const char* argument0);
