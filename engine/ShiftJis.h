// Between the program's Shift-JIS texts and the file system's UTF-16 names. Names reach the
// file system only in UTF-16; their Shift-JIS form is for showing them and opens nothing.
#pragma once

#include "framework/CString.h"

#include <string>

// The exact UTF-16 form of a Shift-JIS text; false when the text holds bytes that are no
// character of code page 932.
bool ToUtf16(const char* text, std::wstring& wide);

// The text as the log and the status bar show it: every character that code page 932 lacks
// becomes 〓, never a look-alike ("café" is shown "caf〓", not "cafe").
CString ShownText(const wchar_t* text);
inline CString ShownText(const std::wstring& text) { return ShownText(text.c_str()); }

// True when code page 932 spells every character of the text.
bool SpellsInShiftJis(const wchar_t* text);
