#pragma once
// The common file dialogs of the load and save flows, owned by the main window.
#include "platform/ui/DuiString.h"

#include <windows.h>

namespace gs {

// The open dialog: true and the chosen path in `file`, or false and `file` empty.
bool ChooseFileToLoad(HWND owner, const wchar_t* filter, wchar_t (&file)[MAX_PATH]);

// The save dialog: the chosen path, given `extension` when it has none; empty when
// nothing was chosen, or when the name so extended is taken and the user would not
// replace that file.
DuiLib::CDuiString ChooseFileToSave(HWND owner, const wchar_t* filter,
                                    const DuiLib::CDuiString& extension);

} // namespace gs
