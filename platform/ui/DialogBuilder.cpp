#include "platform/ui/DialogBuilder.h"

#include <algorithm>
#include <cwchar>

#include "platform/ui/ButtonUI.h"
#include "platform/ui/ContainerUI.h"
#include "platform/ui/ControlClasses.h"
#include "platform/ui/ControlUI.h"
#include "platform/ui/HorizontalLayoutUI.h"
#include "platform/ui/LabelUI.h"
#include "platform/ui/PaintManagerUI.h"
#include "platform/ui/SkinFont.h"
#include "platform/ui/VerticalLayoutUI.h"
#include "platform/win/ScopeGuard.h"

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

IContainerUI* AsContainer(CControlUI& control) {
    return static_cast<IContainerUI*>(control.GetInterface(L"IContainer"));
}

bool IsNamed(const CMarkupNode& node, const wchar_t* name) {
    return std::wcscmp(node.GetName(), name) == 0;
}

// Names a file the way the file system compares them: any case, either slash.
std::wstring FileKey(const wchar_t* name) {
    std::wstring key = name ? name : L"";
    std::replace(key.begin(), key.end(), L'/', L'\\');
    if (!key.empty())
        (void)::CharLowerBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

} // namespace

CControlUI* CDialogBuilder::Create(STRINGorID xml, LPCTSTR type, IDialogBuilderCallback* pCallback,
                                   CPaintManagerUI* pManager, CControlUI* pParent) {
    bool fromResource = IS_INTRESOURCE(xml.m_lpstr);
    bool loaded =
        fromResource
            ? LoadResource(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(xml.m_lpstr)), type)
            : m_xml.LoadFromFile(xml.m_lpstr);
    m_sourceKey = fromResource ? std::wstring() : FileKey(xml.m_lpstr);
    return loaded ? Create(pCallback, pManager, pParent) : nullptr;
}

CControlUI* CDialogBuilder::Create(IDialogBuilderCallback* pCallback, CPaintManagerUI* pManager,
                                   CControlUI* pParent) {
    m_pCallback = pCallback;
    m_defaults.clear();
    CMarkupNode root = m_xml.GetRoot();
    if (!root.IsValid())
        return nullptr;
    std::unique_ptr<CControlUI> control =
        IsNamed(root, L"Window") ? BuildWindow(root, pManager) : BuildElement(root, pManager);
    if (!control || !pParent)
        return control.release();
    IContainerUI* parent = AsContainer(*pParent);
    if (!parent || !parent->Add(control.get()))
        return nullptr;
    return control.release();
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

// Fonts and Defaults first, wherever they stand, so that every control sees them all.
std::unique_ptr<CControlUI> CDialogBuilder::BuildWindow(const CMarkupNode& window,
                                                        CPaintManagerUI* pManager) {
    for (int i = 0; pManager && i < window.GetAttributeCount(); ++i)
        pManager->SetWindowAttribute(window.GetAttributeName(i), window.GetAttributeValue(i));
    for (CMarkupNode node = window.GetChild(); node.IsValid(); node = node.GetSibling()) {
        if (IsNamed(node, L"Font") && pManager)
            AddSkinFont(node, *pManager);
        else if (IsNamed(node, L"Default"))
            ReadDefault(node);
    }
    for (CMarkupNode node = window.GetChild(); node.IsValid(); node = node.GetSibling()) {
        if (IsNamed(node, L"Font") || IsNamed(node, L"Default"))
            continue;
        if (std::unique_ptr<CControlUI> control = BuildElement(node, pManager))
            return control;
    }
    return nullptr;
}

// A list that does not read leaves whatever was there before.
void CDialogBuilder::ReadDefault(const CMarkupNode& node) {
    std::wstring name = node.GetAttributeValue(L"name");
    std::optional<AttributeList> list = ParseAttributeList(node.GetAttributeValue(L"value"));
    if (!name.empty() && list)
        m_defaults[name] = std::move(*list);
}

// Null for a class nobody can create: the element and everything inside it are skipped.
std::unique_ptr<CControlUI> CDialogBuilder::BuildElement(const CMarkupNode& node,
                                                         CPaintManagerUI* pManager) {
    if (m_depth >= CMarkup::kMaxDepth)
        return nullptr; // includes must not nest the tree deeper than one file may
    if (IsNamed(node, L"Include"))
        return BuildInclude(node, pManager);
    const wchar_t* name = node.GetName();
    std::unique_ptr<CControlUI> control(CreateKnown(name));
    if (!control && m_pCallback)
        control.reset(m_pCallback->CreateControl(name));
    if (!control)
        return nullptr;
    ApplyAttributes(node, *control);
    ++m_depth;
    gs::ScopeGuard leave([this] { --m_depth; });
    BuildChildren(node, *control, pManager);
    return control;
}

// Not built: an include past the depth limit, one that would close a cycle, and one
// whose file is missing or does not read.
std::unique_ptr<CControlUI> CDialogBuilder::BuildInclude(const CMarkupNode& node,
                                                         CPaintManagerUI* pManager) {
    const wchar_t* source = node.GetAttributeValue(L"source");
    std::wstring key = FileKey(source);
    if (key.empty() || key == m_sourceKey || m_includeChain.size() >= kMaxIncludeDepth ||
        std::find(m_includeChain.begin(), m_includeChain.end(), key) != m_includeChain.end())
        return nullptr;
    CMarkup markup;
    if (!markup.LoadFromFile(source))
        return nullptr;
    m_includeChain.push_back(std::move(key));
    gs::ScopeGuard leave([this] { m_includeChain.pop_back(); });
    return BuildElement(markup.GetRoot(), pManager);
}

// The Default list of the element's name first, so that the element's own attributes win.
void CDialogBuilder::ApplyAttributes(const CMarkupNode& node, CControlUI& control) const {
    auto defaults = m_defaults.find(node.GetName());
    if (defaults != m_defaults.end()) {
        for (const AttributePair& pair : defaults->second)
            control.SetAttribute(pair.name.c_str(), pair.value.c_str());
    }
    for (int i = 0; i < node.GetAttributeCount(); ++i)
        control.SetAttribute(node.GetAttributeName(i), node.GetAttributeValue(i));
}

void CDialogBuilder::BuildChildren(const CMarkupNode& node, CControlUI& control,
                                   CPaintManagerUI* pManager) {
    IContainerUI* container = AsContainer(control);
    if (!container)
        return;
    for (CMarkupNode child = node.GetChild(); child.IsValid(); child = child.GetSibling()) {
        std::unique_ptr<CControlUI> built = BuildElement(child, pManager);
        if (built && container->Add(built.get()))
            (void)built.release(); // the container owns it now
    }
}

} // namespace DuiLib
