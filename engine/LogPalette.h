// Colours of the log lines (COLORREF, 0x00BBGGRR).
#pragma once

#include <windows.h>

namespace LogColor {
constexpr COLORREF Black = RGB(0, 0, 0);          // structure: separator, directory lines
constexpr COLORREF Red = RGB(255, 0, 0);          // problems
constexpr COLORREF Blue = RGB(0, 0, 255);         // banners
constexpr COLORREF Green = RGB(0, 128, 0);        // per-path lines and counts
constexpr COLORREF Magenta = RGB(255, 0, 255);    // abort notice
constexpr COLORREF Grey = RGB(128, 128, 128);     // entries the filter skipped
constexpr COLORREF Navy = RGB(0, 0, 128);         // changed entries
constexpr COLORREF Olive = RGB(128, 128, 0);      // unchanged entries
constexpr COLORREF Teal = RGB(0, 128, 128);       // settings lines
}  // namespace LogColor
