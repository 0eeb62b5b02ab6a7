#include "platform/ui/SkinFont.h"

#include "platform/ui/AttributeTable.h"
#include "platform/ui/PaintManagerUI.h"

namespace DuiLib {

namespace {

// What one Font element says; a size out of range keeps the window's default size.
struct FontElement {
    TFontInfo font;
    bool isDefault = false;

    void SetName(LPCTSTR face) { font.sFontName = face; }
    void SetSize(int size) {
        if (IsFontSize(size))
            font.iSize = size;
    }
    void SetBold(bool bold) { font.bBold = bold; }
    void SetItalic(bool italic) { font.bItalic = italic; }
    void SetUnderline(bool underline) { font.bUnderline = underline; }
    void SetDefault(bool makeDefault) { isDefault = makeDefault; }
};

constexpr AttributeRow<FontElement> kFontAttributes[] = {
    AttributeRowOf<ParseTextAttribute, &FontElement::SetName>(L"name"),
    AttributeRowOf<ParseIntAttribute, &FontElement::SetSize>(L"size"),
    AttributeRowOf<ParseBoolAttribute, &FontElement::SetBold>(L"bold"),
    AttributeRowOf<ParseBoolAttribute, &FontElement::SetItalic>(L"italic"),
    AttributeRowOf<ParseBoolAttribute, &FontElement::SetUnderline>(L"underline"),
    AttributeRowOf<ParseBoolAttribute, &FontElement::SetDefault>(L"default"),
};

} // namespace

void AddSkinFont(const CMarkupNode& node, CPaintManagerUI& manager) {
    FontElement element;
    element.font.iSize = manager.GetDefaultFontSize();
    for (int i = 0; i < node.GetAttributeCount(); ++i)
        (void)ApplyAttributeRow(kFontAttributes, element, node.GetAttributeName(i),
                                node.GetAttributeValue(i)); // unknown: ignored
    manager.AddFont(element.font);
    if (element.isDefault)
        manager.SetDefaultFont(element.font);
}

} // namespace DuiLib
