#include "files/SaveName.h"

namespace gs {

bool AppendSaveExtension(DuiLib::CDuiString& path, const DuiLib::CDuiString& extension) {
    DuiLib::CDuiString suffix = DuiLib::CDuiString(L".") + extension;
    suffix.MakeLower();
    DuiLib::CDuiString lowerPath = path;
    lowerPath.MakeLower();
    if (lowerPath.GetLength() >= suffix.GetLength() &&
        lowerPath.Right(suffix.GetLength()) == suffix)
        return false;
    path += suffix;
    return true;
}

} // namespace gs
