#include "settings/VerInfo.h"

#include "engine/TokenList.h"
#include "settings/ProgramDirectory.h"

#include <mbstring.h>

const char* const kVerInfoNotInitialised = "CVerInfoの初期化が正常に行われていません。";
const char* const kVerInfoValueMissing = "ｳﾞｧｰｼﾞｮﾝﾘｿｰｽは取得できませんでした。";

namespace {

struct VersionNumbers {
    int Values[4];
};

VersionNumbers ParseVersion(const CString& text) {
    const TokenList items(text, ',', 1);
    return {{items.ItemAsInt(0), items.ItemAsInt(1), items.ItemAsInt(2), items.ItemAsInt(3)}};
}

bool HasCompanyPrefix(const CString& name) {
    return _mbsnbicmp(reinterpret_cast<const unsigned char*>(static_cast<const char*>(name)),
                      reinterpret_cast<const unsigned char*>("Solvik:"), 7) == 0;
}

}  // namespace

CString FormatVersionLine(const CString& productName, const CString& productVersion) {
    const VersionNumbers version = ParseVersion(productVersion);
    CString line;
    line.Format("%s%s Version %02d.%02d %s %d", HasCompanyPrefix(productName) ? "" : "Solvik:",
                static_cast<const char*>(productName), version.Values[0], version.Values[1],
                version.Values[2] != 0 ? "Rel" : "β", version.Values[3]);
    return line;
}

CString FormatBuildLine(const CString& fileVersion) {
    const VersionNumbers version = ParseVersion(fileVersion);
    CString line;
    line.Format("Build Version : %02d.%02d.%02d No.%d", version.Values[0], version.Values[1], version.Values[2],
                version.Values[3]);
    return line;
}

// By the module's real name: the name the program was started by may lack its folder or its
// extension, and a look-alike of a name outside the code page would be another file.
CVerInfo::CVerInfo() {
    const std::wstring self = ProgramPathW();
    if (self.empty()) return;
    m_fileName = ProgramPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(self.c_str(), &ignored);
    if (Allocate(size) && m_data != nullptr) GetFileVersionInfoW(self.c_str(), 0, size, m_data);
}

CVerInfo::~CVerInfo() { Release(); }

void CVerInfo::Release() {
    if (m_block == nullptr) return;
    if (m_data != nullptr) GlobalUnlock(m_block);
    GlobalFree(m_block);
    m_block = nullptr;
    m_data = nullptr;
}

bool CVerInfo::Init(const char* fileName, const char* translation) {
    if (fileName == nullptr || *fileName == '\0') return false;
    Release();
    m_fileName = fileName;
    m_translation = translation;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(fileName, &ignored);
    if (!Allocate(size)) return false;
    if (m_data != nullptr) GetFileVersionInfoA(fileName, 0, size, m_data);
    return true;
}

// True when the block was obtained; only a block with version information has an address.
bool CVerInfo::Allocate(DWORD size) {
    m_block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (m_block == nullptr) return false;
    m_data = GlobalLock(m_block);  // none for a file without version information
    return true;
}

bool CVerInfo::IsValid() const {
    return m_block != nullptr && m_data != nullptr && !m_fileName.IsEmpty() && !m_translation.IsEmpty();
}

CString CVerInfo::QueryValue(const char* key, const char* translation) const {
    if (!IsValid()) return kVerInfoNotInitialised;
    CString path;
    path.Format("\\StringFileInfo\\%s\\%s", *translation != '\0' ? translation : static_cast<const char*>(m_translation),
                key);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(m_data, path, &value, &length) || value == nullptr) return kVerInfoValueMissing;
    return CString(static_cast<const char*>(value));
}

CString CVerInfo::GetVersionText(const char* productName) const {
    if (!IsValid()) return kVerInfoNotInitialised;
    const CString name = *productName != '\0' ? CString(productName) : ProductName();
    return FormatVersionLine(name, ProductVersion());
}

CString CVerInfo::GetBuildText() const { return FormatBuildLine(FileVersion()); }

bool GetDllVersion(const char* library, int depth, DllVersion& output) {
    struct VersionRecord {
        DWORD Size, Major, Minor, Build, Platform;
    };
    using GetVersionProc = HRESULT(CALLBACK*)(VersionRecord*);

    const HMODULE module = LoadLibraryA(library);
    if (module == nullptr) return false;
    const auto getVersion = reinterpret_cast<GetVersionProc>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")));
    if (getVersion == nullptr) {
        FreeLibrary(module);
        return false;
    }
    VersionRecord record{sizeof(VersionRecord), 0, 0, 0, 0};
    const HRESULT result = getVersion(&record);
    FreeLibrary(module);
    if (FAILED(result)) return false;
    if (depth >= 1 && depth <= 4) output.Major = record.Major;
    if (depth >= 2 && depth <= 4) output.Minor = record.Minor;
    if (depth >= 3 && depth <= 4) output.Build = record.Build;
    if (depth == 4) output.Platform = record.Platform;
    return true;
}
