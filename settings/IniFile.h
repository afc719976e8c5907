// Settings-file values through the platform's private-profile functions. Text values keep tabs
// and line breaks as the markers "<\x09>" and "<\x0D\x0A>"; numbered lists are kept as a count
// key and one key per entry (Path0001, Path0002, ...).
#pragma once

#include "framework/CString.h"

#include <windows.h>

#include <vector>

// The platform's profile write; tests replace it to make a write fail part of the way through.
extern BOOL(WINAPI* ProfileWriter)(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file);
// The platform's profile read; tests replace it to count the reads of a long value.
extern DWORD(WINAPI* ProfileReader)(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPSTR buffer, DWORD size,
                                    LPCSTR file);

int ReadInt(const char* section, const char* key, int defaultValue, const char* file);
BOOL WriteInt(const char* section, const char* key, int value, const char* file);
// Any length; the markers come back as tab and CR LF.
CString ReadText(const char* section, const char* key, const char* defaultText, const char* file);
BOOL WriteText(const char* section, const char* key, const char* text, const char* file);
BOOL RemoveSection(const char* section, const char* file);
BOOL RemoveKey(const char* section, const char* key, const char* file);

// A 32-bit unsigned value stored by WriteInt: "-1" and "4294967295" both read as 0xFFFFFFFF.
DWORD ReadUnsigned(const char* section, const char* key, DWORD defaultValue, const char* file);

// The names of the keys the section holds, in file order.
std::vector<CString> ListKeys(const char* section, const char* file);

// "Path" and 1 give "Path0001"; from 10000 on the number simply grows wider.
CString ListKey(const char* keyPrefix, int index);

// The non-empty entries prefix+index for index first ... first+count-1, in index order. Only the
// keys the section holds are read, so a count far beyond them costs nothing.
std::vector<CString> ReadList(const char* section, const char* countKey, const char* keyPrefix, int firstIndex,
                              const char* file);
// Deletes the entry keys of that range that are present, then the count key. True when every
// deletion could be written.
BOOL RemoveList(const char* section, const char* countKey, const char* keyPrefix, int firstIndex,
                const char* file);
// The count, then the entries from index 1. True when every value was written.
BOOL WriteList(const char* section, const char* countKey, const char* keyPrefix, const std::vector<CString>& entries,
               const char* file);

enum MarkerPair { MARKER_TAB = 0, MARKER_CRLF = 1 };
// toMarkers: tab or CR LF become the marker; otherwise the marker becomes the plain characters.
// Left to right; replaced text is not scanned again.
CString ConvertMarkers(const CString& text, int pair, bool toMarkers);
