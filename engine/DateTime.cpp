#include "engine/DateTime.h"

#include "engine/TokenList.h"

#include <algorithm>

namespace {

int EffectiveMode(int mode) { return (mode & (DT_DATE | DT_TIME)) != 0 ? mode : mode | DT_DATE | DT_TIME; }

bool HasSeparator(const CString& text, char separator) { return text.Find(separator) >= 0; }

WORD AsWord(int value) { return static_cast<WORD>(value); }

WORD ExpandYear(WORD year) {
    if (year <= 38) return static_cast<WORD>(year + 2000);
    if (year <= 99) return static_cast<WORD>(year + 1900);
    return std::min<WORD>(year, 9999);
}

WORD LimitDayOrMonth(WORD value, WORD highest) { return std::max<WORD>(1, std::min(value, highest)); }

void ApplyDate(SYSTEMTIME& fields, const CString& dateText) {
    const TokenList pieces(dateText, '/');
    if (pieces.GetCount() == 0) {
        const SYSTEMTIME today = CTime::GetCurrentTime().GetLocalTm();
        fields.wYear = today.wYear;
        fields.wMonth = today.wMonth;
        fields.wDay = today.wDay;
        return;
    }
    fields.wYear = ExpandYear(AsWord(pieces.ItemAsInt(0)));
    fields.wMonth = LimitDayOrMonth(AsWord(pieces.ItemAsInt(1)), 12);
    fields.wDay = LimitDayOrMonth(AsWord(pieces.ItemAsInt(2)), 31);
    ClampDayOfMonth(fields);
}

void ApplyTime(SYSTEMTIME& fields, const CString& timeText) {
    const TokenList pieces(timeText, ':');
    if (pieces.GetCount() == 0) return;
    fields.wHour = std::min<WORD>(AsWord(pieces.ItemAsInt(0)), 23);
    fields.wMinute = std::min<WORD>(AsWord(pieces.ItemAsInt(1)), 59);
    fields.wSecond = std::min<WORD>(AsWord(pieces.ItemAsInt(2)), 59);
}

FILETIME LocalFieldsToFileTime(const SYSTEMTIME& fields) {
    FILETIME local{};
    FILETIME utc{};
    // Dates before 1601 have no file time; they become the earliest one.
    if (!SystemTimeToFileTime(&fields, &local) || !LocalFileTimeToFileTime(&local, &utc)) return FILETIME{};
    return utc;
}

}  // namespace

SYSTEMTIME ParseDateTime(const char* text, int /*mode*/) {
    const TokenList items(text, ' ');
    CString dateText;
    CString timeText;
    if (items.GetCount() == 1) {
        (HasSeparator(items.Item(0), ':') ? timeText : dateText) = items.Item(0);
    } else if (items.GetCount() == 2 && HasSeparator(items.Item(0), ':')) {
        timeText = items.Item(0);
        dateText = items.Item(1);
    } else {
        dateText = items.Item(0);
        timeText = items.Item(1);
    }
    SYSTEMTIME fields{};
    ApplyDate(fields, dateText);
    ApplyTime(fields, timeText);
    return fields;
}

FILETIME TextToFileTime(const char* text, int mode) { return LocalFieldsToFileTime(ParseDateTime(text, mode)); }

FILETIME ClockToFileTime(CTime clock, int mode) {
    if ((mode & DT_NOW) != 0) clock = CTime::GetCurrentTime();
    return LocalFieldsToFileTime(clock.GetLocalTm());
}

CString FormatFileTime(const FILETIME* time, int mode) {
    if (time == nullptr) return CString();
    FILETIME local{};
    SYSTEMTIME fields{};
    if (!FileTimeToLocalFileTime(time, &local) || !FileTimeToSystemTime(&local, &fields)) fields = SYSTEMTIME{};
    return FormatSystemTime(&fields, mode);
}

CString FormatSystemTime(const SYSTEMTIME* fields, int mode) {
    if (fields == nullptr) return CString();
    const int effective = EffectiveMode(mode);
    CString text;
    if ((effective & DT_DATE) != 0 && (effective & DT_TIME) != 0) {
        text.Format("%4d/%02d/%02d %02d:%02d:%02d", fields->wYear, fields->wMonth, fields->wDay, fields->wHour,
                    fields->wMinute, fields->wSecond);
    } else if ((effective & DT_DATE) != 0) {
        text.Format("%4d/%02d/%02d", fields->wYear, fields->wMonth, fields->wDay);
    } else {
        text.Format("%02d:%02d:%02d", fields->wHour, fields->wMinute, fields->wSecond);
    }
    return text;
}

CString FormatClock(CTime clock, int mode) {
    const SYSTEMTIME fields = clock.GetLocalTm();
    const int effective = EffectiveMode(mode);
    CString text;
    if ((effective & DT_DATE) != 0 && (effective & DT_TIME) != 0) {
        text.Format("%04d/%02d/%02d %02d:%02d:%02d", fields.wYear, fields.wMonth, fields.wDay, fields.wHour,
                    fields.wMinute, fields.wSecond);
    } else if ((effective & DT_DATE) != 0) {
        text.Format("%04d/%02d/%02d", fields.wYear, fields.wMonth, fields.wDay);
    } else {
        text.Format("%02d:%02d:%02d", fields.wHour, fields.wMinute, fields.wSecond);
    }
    return text;
}

CTime TextToClock(const char* text, int mode) {
    if (text == nullptr || *text == '\0') return CTime::GetCurrentTime();
    const SYSTEMTIME fields = ParseDateTime(text, mode);
    return SystemTimeToClock(&fields, mode);
}

CTime SystemTimeToClock(const SYSTEMTIME* fields, int /*mode*/) {
    if (fields == nullptr) return CTime::GetCurrentTime();
    SYSTEMTIME clamped = *fields;
    ClampToClockRange(clamped);
    return CTime(clamped);
}

void ClampToClockRange(SYSTEMTIME& f) {
    if (f.wYear < 1970) f.wYear = 1970;
    if (f.wYear == 1970 && f.wMonth == 1 && f.wDay == 1 && f.wHour < 9) f.wHour = 9;
    if (f.wYear < 2038) return;
    f.wYear = 2038;
    // In 2038 each field is limited only while every earlier one stands at its limit.
    if (f.wMonth < 1) return;
    if (f.wMonth > 1) f.wMonth = 1;
    if (f.wDay < 19) return;
    f.wDay = 19;
    if (f.wHour < 3) return;
    f.wHour = 3;
    if (f.wMinute < 14) return;
    f.wMinute = 14;
    if (f.wSecond > 7) f.wSecond = 7;
}

void ClampDayOfMonth(SYSTEMTIME& fields) {
    int limit;
    switch (fields.wMonth) {
        case 1: case 3: case 5: case 7: case 8: case 10: case 12: limit = 31; break;
        case 2: limit = IsLeapYear(fields.wYear) ? 29 : 28; break;
        case 0: case 4: case 6: case 9: case 11: limit = 30; break;
        default: limit = fields.wMonth % 2 != 0 ? 30 : 31; break;
    }
    if (fields.wDay > limit) fields.wDay = static_cast<WORD>(limit);
    if (fields.wDay == 0) fields.wDay = 1;
}

int DaysInMonth(int year, int month) {
    SYSTEMTIME fields{};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = 32;
    ClampDayOfMonth(fields);
    return fields.wDay;
}

bool IsLeapYear(int year) { return year % 4 == 0 && !(year % 100 == 0 && year % 400 != 0); }
