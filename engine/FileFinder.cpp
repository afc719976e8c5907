#include "engine/FileFinder.h"

#include "engine/ListingRecord.h"
#include "engine/MessagePump.h"
#include "engine/TokenList.h"

#include <mbstring.h>

#include <algorithm>
#include <cstring>
#include <iterator>
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

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// Once per pattern and directory the queue is always asked; per record and per comparison
// only when it is due.
void PumpIf(int pump) {
    if (pump == 1) PumpMessages();
}

void PumpIfDue(int pump) {
    if (pump == 1) PumpMessagesIfDue();
}

bool MatchesEverything(const CString& pattern) { return pattern == "*.*" || pattern == "*"; }

// Which entries a listing is for: the subdirectories, the files of the patterns, or both.
enum class Pass { Subdirectories, Files, Both };

// Collects the records of one listing into the directory and file lists, each name once.
class Collector {
public:
    Collector(unsigned flags, int pump, bool checkDuplicates)
        : m_flags(flags), m_pump(pump), m_checkDuplicates(checkDuplicates) {}

    void Search(const CString& searchText, Pass pass) {
        WIN32_FIND_DATAA record;
        const HANDLE search = FindFirstFileA(searchText, &record);
        if (search == INVALID_HANDLE_VALUE) return;
        do {
            PumpIfDue(m_pump);
            Take(record, pass);
        } while (FindNextFileA(search, &record));
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
    void Take(const WIN32_FIND_DATAA& record, Pass pass) {
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
            target->Records.push_back(std::make_unique<WIN32_FIND_DATAA>(record));
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
    std::unordered_set<std::string> m_seen;
};

std::vector<CString> PatternsOf(const CString& patterns, unsigned flags, int pump) {
    const TokenList tokens(patterns, (flags & FF_SEP_SEMICOLON) != 0 ? ';' : '|', 1);
    EntryList list;
    for (int i = 0; i < tokens.GetCount(); ++i) list.Names.push_back(tokens.Item(i));
    if (IsSorted(flags)) SortEntryList(list, (flags & (FF_SORT_ASC | FF_SORT_DESC)) | FF_NAMES, pump);
    return list.Names;
}

template <typename Item, typename Less>
void SortItems(std::vector<Item>& items, Less less, int pump) {
    // Only the items move; with pump 1 every item moved and every comparison lets messages through.
    std::vector<Item> array;
    array.reserve(items.size());
    for (auto& item : items) {
        PumpIfDue(pump);
        array.push_back(std::move(item));
    }
    items.clear();
    std::sort(array.begin(), array.end(), [&](const Item& a, const Item& b) {
        PumpIfDue(pump);
        return less(a, b);
    });
    for (auto& item : array) {
        PumpIfDue(pump);
        items.push_back(std::move(item));
    }
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

int FindEntries(const CString& directory, const CString& patterns, EntryList* output, unsigned flags, int pump) {
    if (output == nullptr) return 0;
    flags = NormalizeFlags(flags);
    const std::vector<CString> patternList = PatternsOf(patterns, flags, pump);
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
            collector.Search(JoinPath(directory, "*.*"), Pass::Subdirectories);
        }
        for (const CString& pattern : patternList) {
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
    const bool descending = (flags & FF_SORT_ASC) == 0 && (flags & FF_SORT_DESC) != 0;
    const int direction = descending ? -1 : 1;
    if ((flags & FF_RECORDS) != 0) {
        using Record = std::unique_ptr<WIN32_FIND_DATAA>;
        SortItems(list.Records, [direction](const Record& a, const Record& b) {
            if (IsDirectory(*a) != IsDirectory(*b)) return IsDirectory(*a);
            return direction * CompareNames(a->cFileName, b->cFileName) < 0;
        }, pump);
    } else {
        SortItems(list.Names, [direction](const CString& a, const CString& b) {
            return direction * CompareNames(a, b) < 0;
        }, pump);
    }
}

void FreeEntryList(EntryList& list) {
    list.Records.clear();
    list.Names.clear();
}
