#include "platform/ui/DialogBuilder.h"

#include <cwchar>

#include "platform/ui/ButtonUI.h"
#include "platform/ui/ContainerUI.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/ControlUI.h"
#include "platform/ui/HorizontalLayoutUI.h"
#include "platform/ui/LabelUI.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/VerticalLayoutUI.h"

namespace DuiLib {

namespace {

// The element names the builder creates itself, one line per class; after them come
// the classes registered by the other rooms of the platform ("ActiveX", "Flash").
struct KnownClass {
    const wchar_t* name;
    ControlMaker create;
};
constexpr KnownClass kKnownClasses[] = {
    {L"Control", MakeControl<CControlUI>},
    {L"Container", MakeControl<CContainerUI>},
    {L"VerticalLayout", MakeControl<CVerticalLayoutUI>},
    {L"HorizontalLayout", MakeControl<CHorizontalLayoutUI>},
    {L"Label", MakeControl<CLabelUI>},
    {L"Text", MakeControl<CLabelUI>},
    {L"Button", MakeControl<CButtonUI>},
};

CControlUI* CreateKnown(const wchar_t* name) {
    for (const KnownClass& known : kKnownClasses) {
        if (std::wcscmp(known.name, name) == 0)
            return known.create();
    }
    return CreateRegisteredControl(name);
}

IContainerUI* AsContainer(CControlUI* control) {
    return control ? static_cast<IContainerUI*>(control->GetInterface(L"IContainer")) : nullptr;
}

} // namespace

CControlUI* CDialogBuilder::Create(STRINGorID xml, LPCTSTR type, IDialogBuilderCallback* pCallback,
                                   CPaintManagerUI* pManager, CControlUI* pParent) {
    bool loaded =
        IS_INTRESOURCE(xml.m_lpstr)
            ? LoadResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(xml.m_lpstr)), type)
            : m_xml.LoadFromFile(xml.m_lpstr);
    return loaded ? Create(pCallback, pManager, pParent) : nullptr;
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent) {
    m_pCallback = pCallback;
    CMarkupNode root = m_xml.GetRoot();
    if (!root.IsValid())
        return nullptr;
    CControlUI* control = nullptr;
    if (std::wcscmp(root.GetName(), L"Window") == 0) {
        for (int i = 0; pManager && i < root.GetAttributeCount(); ++i)
            pManager->SetWindowAttribute(root.GetAttributeName(i), root.GetAttributeValue(i));
        for (CMarkupNode node = root.GetChild(); node.IsValid() && !control;
             node = node.GetSibling())
            control = BuildElement(node, pManager);
    } else {
        control = BuildElement(root, pManager);
    }
    if (!control || !pParent)
        return control;
    IContainerUI* parent = AsContainer(pParent);
    if (!parent || !parent->Add(control)) {
        delete control;
        return nullptr;
    }
    return control;
}

bool CDialogBuilder::LoadResource(UINT id, LPCTSTR type) {
    HINSTANCE instance = CPaintManagerUI::GetInstance();
    HRSRC resource = ::FindResourceW(instance, MAKEINTRESOURCEW(id), type ? type : L"XML");
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return false;
    return m_xml.LoadFromMem(static_cast<const unsigned char*>(data),
                             ::SizeofResource(instance, resource));
}

// Null for a class nobody can create: the element and everything inside it are skipped.
CControlUI* CDialogBuilder::BuildElement(const CMarkupNode& node, CPaintManagerUI* pManager) {
    const wchar_t* name = node.GetName();
    CControlUI* control = CreateKnown(name);
    if (!control && m_pCallback)
        control = m_pCallback->CreateControl(name);
    if (!control)
        return nullptr;
    for (int i = 0; i < node.GetAttributeCount(); ++i)
        control->SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
    BuildChildren(node, control, pManager);
    return control;
}

void CDialogBuilder::BuildChildren(const CMarkupNode& node, CControlUI* pControl,
                                   CPaintManagerUI* pManager) {
    IContainerUI* container = AsContainer(pControl);
    if (!container)
        return;
    for (CMarkupNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) {
        CControlUI* control = BuildElement(child, pManager);
        if (control && !container->Add(control))
            delete control;
    }
}

} // namespace DuiLib
