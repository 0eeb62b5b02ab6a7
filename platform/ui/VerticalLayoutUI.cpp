#include "platform/ui/VerticalLayoutUI.h"

#include <cwchar>

#include "platform/ui/LinearLayout.h"

namespace DuiLib {

LPCTSTR CVerticalLayoutUI::GetClass() const {
    return L"VerticalLayoutUI";
}

LPVOID CVerticalLayoutUI::GetInterface(LPCTSTR pstrName) {
    if (pstrName && std::wcscmp(pstrName, L"VerticalLayout") == 0)
        return this;
    return CContainerUI::GetInterface(pstrName);
}

void CVerticalLayoutUI::ArrangeChildren(const CDuiRect& inner) {
    ArrangeInLine(m_items, inner, GetChildPadding(), true);
}

} // namespace DuiLib
