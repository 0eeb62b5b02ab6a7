#include "shell/ComputerExamineUI.h"

#include "platform/ui/DialogBuilder.h"

// The inner build has no callback, so it never creates a further copy of itself.
ComputerExamineUI::ComputerExamineUI() {
    DuiLib::CDialogBuilder builder;
    if (DuiLib::CControlUI* root = builder.Create(L"skin.xml", nullptr, nullptr, nullptr, nullptr))
        Add(root);
    else
        RemoveAll();
}
