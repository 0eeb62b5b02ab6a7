#pragma once
// Builds a control tree from a skin: the classes it knows come from its own table and
// from the registered ones (ControlClasses.h), other class names go to the callback. A
// Window root element gives its attributes to the paint manager and its first control
// becomes the root of the tree.
#include "platform/ui/Markup.h"
#include "platform/ui/UIDefs.h"

namespace DuiLib {

class CControlUI;
class CPaintManagerUI;

class CDialogBuilder {
public:
    // xml names a file relative to the resource path (UTF-8 with or without a BOM, or
    // UTF-16 with a BOM), or a resource id whose resource type is type ("XML" when null).
    // With a parent container the tree is added to it. Null when the skin cannot be
    // read or parsed, or holds no control that can be built.
    CControlUI* Create(STRINGorID xml, LPCTSTR type = nullptr,
                       IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);
    // Builds again from the markup already loaded.
    CControlUI* Create(IDialogBuilderCallback* pCallback = nullptr,
                       CPaintManagerUI* pManager = nullptr, CControlUI* pParent = nullptr);

    CMarkup* GetMarkup() { return &m_xml; }

private:
    bool LoadResource(UINT id, LPCTSTR type);
    CControlUI* BuildElement(const CMarkupNode& node, CPaintManagerUI* pManager);
    void BuildChildren(const CMarkupNode& node, CControlUI* pControl, CPaintManagerUI* pManager);

    CMarkup m_xml;
    IDialogBuilderCallback* m_pCallback = nullptr; // not owned
};

} // namespace DuiLib
