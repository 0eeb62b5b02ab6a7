#pragma once
// The name a game file is saved under: the chosen name, with the configured extension
// appended in lower case unless the name already ends in it (in any letter case).
// Portable: no Windows header.
#include "platform/ui/DuiString.h"

namespace gs {

// Returns true when the extension was appended.
bool AppendSaveExtension(DuiLib::CDuiString& path, const DuiLib::CDuiString& extension);

} // namespace gs
