// Where the program lies: its own file, found from the module, not from the name it was
// started by, and the directory of such a path.
#pragma once

#include "framework/CString.h"

#include <string>

// Empty without a backslash or with one only in front; "C:\" for a program in a drive's root.
CString ProgramDirectory(const char* programPath);

// The running program's file by its real name, for the W functions.
std::wstring ProgramPathW();
// The running program's file as the A functions must be given it; see AnsiPathOf.
CString ProgramPath();

// A name for the A functions that opens the file of widePath or none at all: the name itself
// when every character converts to the ANSI code page and back unchanged, else its short name
// when that one does; else the name with '?' for every character that does not, which no file
// can bear (the best-fit look-alike would name another file).
CString AnsiPathOf(const std::wstring& widePath);
