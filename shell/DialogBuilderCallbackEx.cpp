#include "shell/DialogBuilderCallbackEx.h"

#include "shell/ComputerExamineUI.h"

#include <cwchar>

DuiLib::CControlUI* CDialogBuilderCallbackEx::CreateControl(LPCTSTR pstrClass) {
    if (pstrClass && std::wcscmp(pstrClass, L"ComputerExamine") == 0)
        return new ComputerExamineUI;
    return nullptr;
}
