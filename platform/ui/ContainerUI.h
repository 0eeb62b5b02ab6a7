#pragma once
// A control that owns child controls. The plain container stacks every child over its
// whole inner area (minus the child's padding, at most the child's fixed size); the
// layouts arrange them in a line.
#include <memory>
#include <vector>

#include "platform/ui/ControlUI.h"

namespace DuiLib {

class IContainerUI {
public:
    virtual CControlUI* GetItemAt(int iIndex) const = 0;
    virtual int GetItemIndex(CControlUI* pControl) const = 0;
    virtual int GetCount() const = 0;
    // The container takes ownership on success; on false the caller keeps the control.
    virtual bool Add(CControlUI* pControl) = 0;
    virtual bool AddAt(CControlUI* pControl, int iIndex) = 0;
    // Removing deletes the control.
    virtual bool Remove(CControlUI* pControl) = 0;
    virtual bool RemoveAt(int iIndex) = 0;
    virtual void RemoveAll() = 0;

protected:
    ~IContainerUI() = default;
};

class CContainerUI : public CControlUI, public IContainerUI {
public:
    CContainerUI() = default;
    ~CContainerUI() override;

    LPCTSTR GetClass() const override;
    LPVOID GetInterface(LPCTSTR pstrName) override;

    CControlUI* GetItemAt(int iIndex) const override;
    int GetItemIndex(CControlUI* pControl) const override;
    int GetCount() const override { return static_cast<int>(m_items.size()); }
    bool Add(CControlUI* pControl) override;
    bool AddAt(CControlUI* pControl, int iIndex) override;
    bool Remove(CControlUI* pControl) override;
    bool RemoveAt(int iIndex) override;
    void RemoveAll() override;

    // Margins between the container's edge and its children.
    CDuiRect GetInset() const { return Scaled(m_rcInset); }
    void SetInset(RECT rc);
    // Gap between neighbours in a layout.
    int GetChildPadding() const { return Scaled(m_iChildPadding); }
    void SetChildPadding(int padding);

    void SetAttribute(LPCTSTR pstrName, LPCTSTR pstrValue) override;
    void SetManager(CPaintManagerUI* pManager, CControlUI* pParent, bool bInit = true) override;
    void SetPos(RECT rc) override;
    void SetVisible(bool bVisible = true) override;
    void SetInternVisible(bool bVisible = true) override;
    CControlUI* FindControlAt(POINT pt) override;
    CControlUI* FindInTree(const std::function<bool(CControlUI&)>& match) override;

protected:
    void PaintChildren(HDC hDC, const RECT& visible) override;
    // Floating children sit at their offsets from the container's top-left corner,
    // outside the arrangement of the others.
    void PlaceFloatingChildren();
    // The area the children share: the control's rectangle less the inset.
    CDuiRect GetInnerRect() const;
    virtual void ArrangeChildren(const CDuiRect& inner);

    std::vector<std::unique_ptr<CControlUI>> m_items;
    CDuiRect m_rcInset;
    int m_iChildPadding = 0;
};

} // namespace DuiLib
