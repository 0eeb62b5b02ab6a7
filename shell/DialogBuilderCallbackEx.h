#pragma once
// Creates the skin classes of the shell's own that the skin builder does not know.
#include "platform/ui/UIDefs.h"

class CDialogBuilderCallbackEx : public DuiLib::IDialogBuilderCallback {
public:
    DuiLib::CControlUI* CreateControl(LPCTSTR pstrClass) override;
};
