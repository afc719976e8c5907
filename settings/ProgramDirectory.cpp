#include "settings/ProgramDirectory.h"

CString ProgramDirectory(const char* argument0) {
    const CString path(argument0 != nullptr ? argument0 : "");
    const int slash = path.ReverseFind('\\');  // skips trail bytes such as the 0x5C of 表
    if (slash <= 0) return CString();
    if (slash == 2) return path.Left(3);  // keep the root's backslash: "C:" alone means the drive's current directory
    return path.Left(slash);
}
