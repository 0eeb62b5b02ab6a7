#pragma once
// Builds a control tree from a skin: the classes it knows come from its own table and
// from the registered ones (ControlClasses.h), other class names go to the callback. A
// Window root element gives its attributes to the paint manager, its Font children to
// the window's fonts and its Default children to the elements of their names, and its
// first control becomes the root of the tree. An Include element builds another skin
// file's root in its place.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/AttributeList.h"
#include "platform/ui/Markup.h"
#include "platform/ui/UIDefs.h"

namespace DuiLib {

class CControlUI;
class CPaintManagerUI;

class CDialogBuilder {
public:
    // Includes nest at most this deep.
    static constexpr int kMaxIncludeDepth = 8;

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
    std::unique_ptr<CControlUI> BuildWindow(const CMarkupNode& window, CPaintManagerUI* pManager);
    void ReadDefault(const CMarkupNode& node);
    std::unique_ptr<CControlUI> BuildElement(const CMarkupNode& node, CPaintManagerUI* pManager);
    std::unique_ptr<CControlUI> BuildInclude(const CMarkupNode& node, CPaintManagerUI* pManager);
    void ApplyAttributes(const CMarkupNode& node, CControlUI& control) const;
    void BuildChildren(const CMarkupNode& node, CControlUI& control, CPaintManagerUI* pManager);

    CMarkup m_xml;
    IDialogBuilderCallback* m_pCallback = nullptr; // not owned
    // The Default lists by element name.
    std::map<std::wstring, AttributeList> m_defaults;
    // The skin file and the included files being built, as compared for cycles.
    std::wstring m_sourceKey;
    std::vector<std::wstring> m_includeChain;
    // Controls being built around the current element, across included files.
    int m_depth = 0;
};

} // namespace DuiLib
