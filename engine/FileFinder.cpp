#include "engine/FileFinder.h"

#include "engine/EntryPath.h"
#include "engine/ListingRecord.h"
#include "engine/MessagePump.h"
#include "engine/ShiftJis.h"
#include "engine/TokenList.h"

#include <mbstring.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <numeric>
#include <string>
#include <unordered_set>

namespace {

unsigned NormalizeContent(unsigned flags) {
    if ((flags & FF_NAMES) != 0) return flags & ~static_cast<unsigned>(FF_RECORDS);
    if ((flags & FF_RECORDS) == 0) return flags | FF_NAMES;
    return flags;
}

unsigned NormalizeSort(unsigned flags) {
    if ((flags & FF_SORT_ASC) != 0) return flags & ~static_cast<unsigned>(FF_SORT_DESC);
    return flags;
}

unsigned NormalizeFlags(unsigned flags) {
    flags = NormalizeSort(NormalizeContent(flags));
    if ((flags & FF_SEP_BAR) != 0) return flags & ~static_cast<unsigned>(FF_SEP_SEMICOLON);
    if ((flags & FF_SEP_SEMICOLON) == 0) return flags | FF_SEP_BAR;
    return flags;
}

bool IsSorted(unsigned flags) { return (flags & (FF_SORT_ASC | FF_SORT_DESC)) != 0; }

bool IsDotEntry(const wchar_t* name) { return std::wcscmp(name, L".") == 0 || std::wcscmp(name, L"..") == 0; }

// Once per pattern and directory the queue is always asked; per record and per comparison
// only when it is due.
void PumpIf(int pump) {
    if (pump == 1) PumpMessages();
}

void PumpIfDue(int pump) {
    if (pump == 1) PumpMessagesIfDue();
}

bool MatchesEverything(const std::wstring& pattern) { return pattern == L"*.*" || pattern == L"*"; }

// Which entries a listing is for: the subdirectories, the files of the patterns, or both.
enum class Pass { Subdirectories, Files, Both };

// Collects the records of one listing into the directory and file lists, each name once.
class Collector {
public:
    Collector(unsigned flags, int pump, bool checkDuplicates)
        : m_flags(flags), m_pump(pump), m_checkDuplicates(checkDuplicates) {}

    void Search(const std::wstring& searchText, Pass pass) {
        WIN32_FIND_DATAW record;
        const HANDLE search = FindFirstFileW(searchText.c_str(), &record);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            PumpIfDue(m_pump);
            Take(record, pass);
        } while (FindNextFileW(search, &record));
        FindClose(search);
    }

    void MoveInto(EntryList& output) {
        const bool withDirectories = (m_flags & (FF_SUBDIRS | FF_DIRS_ONLY)) != 0;
        if (IsSorted(m_flags)) {
            if (withDirectories) SortEntryList(m_directories, m_flags, m_pump);
            SortEntryList(m_files, m_flags, m_pump);
        }
        if (withDirectories) Append(output, m_directories);
        Append(output, m_files);
    }

private:
    void Take(const WIN32_FIND_DATAW& record, Pass pass) {
        const bool directoriesOnly = (m_flags & FF_DIRS_ONLY) != 0;
        EntryList* target;
        if (IsDirectory(record)) {
            if ((pass == Pass::Files && !directoriesOnly) || IsDotEntry(record.cFileName)) return;
            target = &m_directories;
        } else {
            if (directoriesOnly || pass == Pass::Subdirectories) return;
            target = &m_files;
        }
        if (m_checkDuplicates && !m_seen.insert(record.cFileName).second) return;
        if ((m_flags & FF_RECORDS) != 0) {
            target->Records.push_back(std::make_unique<WIN32_FIND_DATAW>(record));
        } else {
            target->Names.emplace_back(record.cFileName);
        }
    }

    static void Append(EntryList& output, EntryList& from) {
        std::move(from.Records.begin(), from.Records.end(), std::back_inserter(output.Records));
        std::move(from.Names.begin(), from.Names.end(), std::back_inserter(output.Names));
        from.Records.clear();
        from.Names.clear();
    }

    unsigned m_flags;
    int m_pump;
    bool m_checkDuplicates;
    EntryList m_directories;
    EntryList m_files;
    std::unordered_set<std::wstring> m_seen;
};

// How an item sorts: directories first; then by its name as Shift-JIS shows it (CompareNames),
// then by its real UTF-16 text, so that names shown alike still keep one fixed order.
struct SortKey {
    bool Directory;
    CString Shown;
    const wchar_t* Real;
};

int Sign(int value) { return (value > 0) - (value < 0); }

bool Before(const SortKey& a, const SortKey& b, int direction) {
    if (a.Directory != b.Directory) return a.Directory;
    int order = Sign(CompareNames(a.Shown, b.Shown));
    if (order == 0) order = Sign(std::wcscmp(a.Real, b.Real));
    return direction * order < 0;
}

template <typename Item, typename KeyOf>
void SortItems(std::vector<Item>& items, KeyOf keyOf, int direction, int pump) {
    // Each key is made once; while sorting only indices move, and with pump 1 every key made,
    // every comparison and every item moved lets messages through.
    std::vector<SortKey> keys;
    keys.reserve(items.size());
    for (const Item& item : items) {
        PumpIfDue(pump);
        keys.push_back(keyOf(item));
    }
    std::vector<size_t> order(items.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        PumpIfDue(pump);
        return Before(keys[a], keys[b], direction);
    });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (size_t index : order) {
        PumpIfDue(pump);
        sorted.push_back(std::move(items[index]));
    }
    items.swap(sorted);
}

int Direction(unsigned flags) { return (flags & FF_SORT_ASC) == 0 && (flags & FF_SORT_DESC) != 0 ? -1 : 1; }

// The patterns in search order, in UTF-16; one that is no Shift-JIS text is left out.
std::vector<std::wstring> PatternsOf(const CString& patterns, unsigned flags, int pump) {
    const TokenList tokens(patterns, (flags & FF_SEP_SEMICOLON) != 0 ? ';' : '|', 1);
    std::vector<CString> texts;
    for (int i = 0; i < tokens.GetCount(); ++i) texts.push_back(tokens.Item(i));
    if (IsSorted(flags) && texts.size() > 1) {
        SortItems(texts, [](const CString& text) { return SortKey{false, text, L""}; }, Direction(flags), pump);
    }
    std::vector<std::wstring> wide;
    std::wstring pattern;
    for (const CString& text : texts) {
        if (ToUtf16(text, pattern)) wide.push_back(pattern);
    }
    return wide;
}

}  // namespace

int CompareNames(const char* a, const char* b) {
    const NameParts left = SplitExtension(a);
    const NameParts right = SplitExtension(b);
    auto compare = [](const CString& x, const CString& y) {
        return _mbsicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(x)),
                        reinterpret_cast<const unsigned char*>(static_cast<const char*>(y)));
    };
    const int byExtension = compare(left.Extension, right.Extension);
    return byExtension != 0 ? byExtension : compare(left.Base, right.Base);
}

int FindEntries(const std::wstring& directory, const CString& patterns, EntryList* output, unsigned flags, int pump) {
    if (output == nullptr) return 0;
    flags = NormalizeFlags(flags);
    const std::vector<std::wstring> patternList = PatternsOf(patterns, flags, pump);
    FreeEntryList(*output);

    // A name can turn up twice when several patterns are searched, or when directories are
    // selected by the patterns besides being listed as subdirectories.
    const bool twoSources = (flags & FF_SUBDIRS) != 0 && (flags & FF_DIRS_ONLY) != 0;
    Collector collector(flags, pump, patternList.size() > 1 || twoSources);
    if ((flags & FF_SUBDIRS) != 0 && patternList.size() == 1 && MatchesEverything(patternList[0])) {
        // One listing serves both passes: listing a directory is costly on large trees.
        PumpIf(pump);
        collector.Search(JoinPath(directory, patternList[0]), Pass::Both);
    } else {
        if ((flags & FF_SUBDIRS) != 0) {
            PumpIf(pump);
            collector.Search(JoinPath(directory, L"*.*"), Pass::Subdirectories);
        }
        for (const std::wstring& pattern : patternList) {
            PumpIf(pump);
            collector.Search(JoinPath(directory, pattern), Pass::Files);
        }
    }
    collector.MoveInto(*output);
    return output->GetCount();
}

void SortEntryList(EntryList& list, unsigned flags, int pump) {
    if (list.GetCount() < 2) return;
    flags = NormalizeSort(NormalizeContent(flags));
    const int direction = Direction(flags);
    if ((flags & FF_RECORDS) != 0) {
        using Record = std::unique_ptr<WIN32_FIND_DATAW>;
        SortItems(list.Records, [](const Record& record) {
            return SortKey{IsDirectory(*record), ShownText(record->cFileName), record->cFileName};
        }, direction, pump);
    } else {
        SortItems(list.Names, [](const std::wstring& name) {
            return SortKey{false, ShownText(name), name.c_str()};
        }, direction, pump);
    }
}

void FreeEntryList(EntryList& list) {
    list.Records.clear();
    list.Names.clear();
}
