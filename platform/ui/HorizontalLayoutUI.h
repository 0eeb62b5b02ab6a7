#pragma once
// Children one after another, left to right (see LinearLayout.h for the rules).
#include "platform/ui/ContainerUI.h"

namespace DuiLib {

class CHorizontalLayoutUI : public CContainerUI {
public:
    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

protected:
    void ArrangeChildren(const CDuiRect& inner) override;
};

} // namespace DuiLib
