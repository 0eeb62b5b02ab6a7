#include "platform/ui/HorizontalLayoutUI.h"

#include <cwchar>

#include "platform/ui/LinearLayout.h"

namespace DuiLib {

LPCTSTR CHorizontalLayoutUI::GetClass() const {
    return L"HorizontalLayoutUI";
}

LPVOID CHorizontalLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"HorizontalLayout") == 0)
        return this;
    return CContainerUI::GetInterface(pstrName);
}

void CHorizontalLayoutUI::ArrangeChildren(const CDuiRect& inner) {
    ArrangeInLine(m_items, inner, GetChildPadding(), false);
}

} // namespace DuiLib
