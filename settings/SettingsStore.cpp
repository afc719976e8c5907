#include "settings/SettingsStore.h"

#include "engine/EntryPath.h"
#include "engine/LogPalette.h"
#include "engine/TokenList.h"
#include "framework/Seams.h"
#include "settings/VerInfo.h"

namespace {

const char* const kDefaultFileName = "Fendrix.ini";
const char* const kCommon = "Common";
const char* const kSearchPathList = "SearchPathList";
const char* const kSearchFileList = "SearchFileList";
const char* const kSearchAttributes = "SearchAttributes";
const char* const kSetAttributes = "SetAttributes";
const char* const kDateRange = "DateRange";
const char* const kSizeRange = "SizeRange";
const char* const kSetTimeStanp = "SetTimeStanp";
const char* const kSwitches = "Switches";
const char* const kJournal = "Journal";
const char* const kPerformance = "Performance";
constexpr int kDefaultJournalKeep = 20;

// The five switches of the limits and the time stamp, by their keys.
struct SwitchKey {
    const char* Key;
    int JobSettings::*Field;
};
const SwitchKey kSwitchKeys[] = {
    {"DateStartFlg", &JobSettings::DateStartFlg}, {"DateEndFlg", &JobSettings::DateEndFlg},
    {"SizeStartFlg", &JobSettings::SizeStartFlg}, {"SizeEndFlg", &JobSettings::SizeEndFlg},
    {"TimeStanpFlg", &JobSettings::TimeStanpFlg},
};

// Writes until the first failure; later writes are pointless once one has failed.
class Writer {
public:
    explicit Writer(const char* file) : m_file(file) {}
    bool Ok() const { return m_ok; }
    void Int(const char* section, const char* key, int value) {
        if (m_ok) m_ok = WriteInt(section, key, value, m_file) != FALSE;
    }
    void Text(const char* section, const char* key, const char* text) {
        if (m_ok) m_ok = WriteText(section, key, text, m_file) != FALSE;
    }
    void Section(const char* section) {
        if (m_ok) m_ok = RemoveSection(section, m_file) != FALSE;
    }
    void Remove(const char* section, const char* key) {
        if (m_ok) m_ok = RemoveKey(section, key, m_file) != FALSE;
    }
    void RemoveHistory(const char* section, const char* prefix) {
        if (m_ok) m_ok = RemoveList(section, "Count", prefix, 1, m_file) != FALSE;
        Section(section);
    }
    void History(const char* section, const char* prefix, const std::vector<CString>& entries) {
        if (m_ok) m_ok = WriteList(section, "Count", prefix, entries, m_file) != FALSE;
    }

private:
    const char* m_file;
    bool m_ok = true;
};

}  // namespace

CString ProfileLocation(const CString& file) {
    const bool bare = file.Find('\\') < 0 && file.Find('/') < 0 && !(file.GetLength() >= 2 && file[1] == ':');
    if (bare) {
        char windows[MAX_PATH];
        const UINT length = GetWindowsDirectoryA(windows, sizeof windows);
        if (length == 0 || length >= sizeof windows) return file;
        return JoinPath(windows, file);
    }
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(file, sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) return file;
    return CString(full);
}

SettingsStore::SettingsStore(JobEngine& engine, SettingsWindow& window) : m_engine(engine), m_window(window) {}

CString SettingsStore::DefaultFileFor(const char* programPath) {
    return JoinPath(ProgramDirectory(programPath), kDefaultFileName);
}

// The name the program was started by may lack its folder or extension; the module's own path
// does not, and stays the same when a file dialog changes the current directory.
CString SettingsStore::DefaultFile() { return DefaultFileFor(ProgramPath()); }

std::wstring SettingsStore::JournalFolder() {
    const std::wstring program = ProgramPathW();
    const size_t slash = program.rfind(L'\\');
    return JoinPath(slash == std::wstring::npos ? std::wstring() : program.substr(0, slash), L"journal");
}

CString SettingsStore::Resolve(const char* path) const {
    return path != nullptr && *path != '\0' ? CString(path) : DefaultFile();
}

void SettingsStore::Load(const char* path) {
    const CString file = Resolve(path);
    JobSettings& job = m_engine.Job;

    // "Version" tells who wrote the file; nothing depends on it.
    const TokenList position(ReadText(kCommon, "WindowPos", "0,0,0,0", file), ',', 1);
    WindowRect = {position.ItemAsInt(0), position.ItemAsInt(1), position.ItemAsInt(2), position.ItemAsInt(3)};
    ShowToolBar = ReadInt(kCommon, "ShowToolBar", 1, file);
    ShowStatusBar = ReadInt(kCommon, "ShowStatusBar", 1, file);
    job.ExecDispFname = ReadInt(kCommon, "ExecDispFname", 1, file);
    job.ExecDispNopFname = ReadInt(kCommon, "ExecDispNopFname", 0, file);
    job.ExecDispSubDir = ReadInt(kCommon, "ExecDispSubDir", 1, file);
    job.ExecDispSkipped = ReadInt(kCommon, "ExecDispSkipped", 0, file);
    job.SortFile = ReadInt(kCommon, "SortFile", 0, file);
    job.SystemFileSkip = ReadInt(kCommon, "SystemFileSkip", 1, file);
    job.SystemClockReadMode = ReadInt(kCommon, "SystemClockReadMode", 0, file);
    job.Recursive = ReadInt(kCommon, "Recursive", 1, file);

    job.SearchPathList = ReadList(kSearchPathList, "Count", "Path", 1, file);
    job.SearchFileList = ReadList(kSearchFileList, "Count", "File", 1, file);

    job.SearchAttributes.AttribFlg = static_cast<DWORD>(ReadInt(kSearchAttributes, "AttribFlg", 0, file));
    job.SearchAttributes.AttribJokn = ReadInt(kSearchAttributes, "AttribJokn", 0, file);
    job.SetAttributes.AttribFlg = static_cast<DWORD>(ReadInt(kSetAttributes, "AttribFlg", 0, file));
    job.SetAttributes.AttribJokn = ReadInt(kSetAttributes, "AttribJokn", 1, file);
    job.DateRange.Start = ReadText(kDateRange, "Start", "", file);
    job.DateRange.End = ReadText(kDateRange, "End", "", file);
    job.SizeRange.Start = ReadUnsigned(kSizeRange, "Start", 0, file);
    job.SizeRange.End = ReadUnsigned(kSizeRange, "End", 0, file);
    job.SetTimeStanp.TimeStanpJokn = ReadInt(kSetTimeStanp, "TimeStanpJokn", 1, file);
    job.SetTimeStanp.TimeStanpVal = ReadText(kSetTimeStanp, "TimeStanpVal", "", file);
    m_engine.Journals.Keep = ReadInt(kJournal, "Keep", kDefaultJournalKeep, file);
    job.Workers = ReadInt(kPerformance, "Workers", 0, file);

    // The boxes of masks loaded earlier must not stay ticked beside the new ones.
    m_window.UntickAttributeBoxes();
    // Files written before the switches were stored leave them as they are.
    if (!ListKeys(kSwitches, file).empty()) {
        for (const SwitchKey& key : kSwitchKeys) job.*key.Field = ReadInt(kSwitches, key.Key, 0, file);
        m_window.TickSwitchBoxes(job);
    }
    m_engine.ExchangeJobData(1, 0, 1);
    m_engine.SyncOptionMenus();
    m_window.SelectFirstHistoryEntries();
    CurrentFile = file;
    WriteStartupInformation();
}

SaveResult SettingsStore::Save(const char* path) {
    if (!m_engine.ExchangeJobData(0, 1, 0)) {
        const int answer = seams::ShowMessageBox(m_window.GetMessageOwner(),
                                                 "ﾃﾞｰﾀﾁｪｯｸでｴﾗｰが有ります。このまま続行しますか ?\n",
                                                 "Fendrix:Warning", MB_OKCANCEL | MB_ICONSTOP);
        if (answer != IDOK) return SaveResult::Declined;
    }
    const CString file = Resolve(path);
    const RECT windowRect = m_window.GetNormalWindowRect();
    if (!ReplaceSettingsFile(file, windowRect)) {
        CString line;
        line.Format("*** 設定ﾌｧｲﾙを保存できませんでした。( %s )", static_cast<const char*>(file));
        seams::PlayBeep(MB_ICONASTERISK);
        m_engine.AppendLog(line, LogColor::Red);
        return SaveResult::Failed;
    }
    WindowRect = windowRect;
    CurrentFile = file;
    return SaveResult::Written;
}

bool SettingsStore::ReplaceSettingsFile(const CString& file, const RECT& windowRect) {
    const CString target = ProfileLocation(file);
    const DWORD attributes = GetFileAttributesA(target);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) return false;  // e.g. a missing folder
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) return false;

    // The copy lies in the file's own folder, so that the move is a rename on one volume.
    char copy[MAX_PATH];
    if (GetTempFileNameA(ProgramDirectory(target), "Fdx", 0, copy) == 0) return false;
    // Sections of other names live on in the copy.
    bool written = !exists || CopyFileA(target, copy, FALSE) != FALSE;
    if (written) written = WriteSettings(copy, windowRect);
    ProfileWriter(nullptr, nullptr, nullptr, copy);  // let go of the copy before it moves
    if (written) written = MoveFileExA(copy, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!written) {
        DeleteFileA(copy);
        return false;
    }
    // The profile writes may recreate the copy plain; a hidden settings file stays hidden.
    if (exists) SetFileAttributesA(target, attributes | FILE_ATTRIBUTE_ARCHIVE);
    return true;
}

bool SettingsStore::WriteSettings(const char* file, const RECT& windowRect) {
    const JobSettings& job = m_engine.Job;
    Writer out(file);

    // Keys added by hand to these sections go; sections of other names stay.
    out.Section(kCommon);
    out.RemoveHistory(kSearchPathList, "Path");
    out.RemoveHistory(kSearchFileList, "File");
    out.Section(kSearchAttributes);
    out.Section(kSetAttributes);
    out.Section(kDateRange);
    out.Section(kSizeRange);
    out.Section(kSetTimeStanp);
    out.Section(kSwitches);
    out.Section(kJournal);

    const CVerInfo version;
    out.Text(kCommon, "Version", version.ProductVersion());
    CString position;
    position.Format("%d,%d,%d,%d", static_cast<int>(windowRect.left), static_cast<int>(windowRect.top),
                    static_cast<int>(windowRect.right), static_cast<int>(windowRect.bottom));
    out.Text(kCommon, "WindowPos", position);
    out.Int(kCommon, "ShowToolBar", ShowToolBar);
    out.Int(kCommon, "ShowStatusBar", ShowStatusBar);
    out.Int(kCommon, "ExecDispFname", job.ExecDispFname);
    out.Int(kCommon, "ExecDispNopFname", job.ExecDispNopFname);
    out.Int(kCommon, "ExecDispSubDir", job.ExecDispSubDir);
    out.Int(kCommon, "ExecDispSkipped", job.ExecDispSkipped);
    out.Int(kCommon, "SortFile", job.SortFile);
    out.Int(kCommon, "SystemFileSkip", job.SystemFileSkip);
    out.Int(kCommon, "SystemClockReadMode", job.SystemClockReadMode);
    out.Int(kCommon, "Recursive", job.Recursive);

    out.History(kSearchPathList, "Path", job.SearchPathList);
    out.History(kSearchFileList, "File", job.SearchFileList);

    out.Int(kSearchAttributes, "AttribFlg", static_cast<int>(job.SearchAttributes.AttribFlg));
    out.Int(kSearchAttributes, "AttribJokn", job.SearchAttributes.AttribJokn);
    out.Int(kSetAttributes, "AttribFlg", static_cast<int>(job.SetAttributes.AttribFlg));
    out.Int(kSetAttributes, "AttribJokn", job.SetAttributes.AttribJokn);
    out.Text(kDateRange, "Start", job.DateRange.Start);
    out.Text(kDateRange, "End", job.DateRange.End);
    out.Int(kSizeRange, "Start", static_cast<int>(job.SizeRange.Start));
    out.Int(kSizeRange, "End", static_cast<int>(job.SizeRange.End));
    out.Int(kSetTimeStanp, "TimeStanpJokn", job.SetTimeStanp.TimeStanpJokn);
    out.Text(kSetTimeStanp, "TimeStanpVal", job.SetTimeStanp.TimeStanpVal);
    for (const SwitchKey& key : kSwitchKeys) out.Int(kSwitches, key.Key, job.*key.Field);
    out.Int(kJournal, "Keep", m_engine.Journals.Keep);
    // Only a number chosen by hand is written: files that never chose one stay as they are.
    if (job.Workers != 0) {
        out.Int(kPerformance, "Workers", job.Workers);
    } else {
        out.Remove(kPerformance, "Workers");
    }
    return out.Ok();
}
