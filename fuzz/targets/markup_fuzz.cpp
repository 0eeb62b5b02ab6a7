// The markup reader on arbitrary text: it loads or refuses, and everything a loaded
// document offers can be walked and read.
#include "FuzzInput.h"
#include "platform/ui/Markup.h"

#include <cwchar>

using fuzz::Check;

namespace {

std::size_t Touch(const wchar_t* text) {
    Check(text != nullptr);
    return std::wcslen(text);
}

// Visits every element once, depth first, with an explicit stack of siblings.
void Walk(const DuiLib::CMarkup& markup) {
    std::size_t visited = 0;
    std::vector<DuiLib::CMarkupNode> pending{markup.GetRoot()};
    while (!pending.empty()) {
        DuiLib::CMarkupNode node = pending.back();
        pending.pop_back();
        for (; node.IsValid(); node = node.GetSibling()) {
            Check(++visited < 1'000'000);
            Touch(node.GetName());
            Touch(node.GetValue());
            const int count = node.GetAttributeCount();
            for (int i = 0; i < count; ++i) {
                const wchar_t* name = node.GetAttributeName(i);
                Touch(node.GetAttributeValue(i));
                Check(node.HasAttribute(name));
                Touch(node.GetAttributeValue(name));
            }
            Check(node.GetAttributeName(count) == nullptr);
            DuiLib::CMarkupNode child = node.GetChild();
            if (child.IsValid()) {
                Check(child.GetParent().IsValid());
                pending.push_back(child);
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring text = fuzz::AsWide(input.RestAsUnits());
    DuiLib::CMarkup counted;
    if (counted.Load(text.data(), text.size()))
        Walk(counted);
    DuiLib::CMarkup terminated;
    if (terminated.Load(text.c_str()))
        Walk(terminated);
    return 0;
}
