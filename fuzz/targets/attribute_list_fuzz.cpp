// The Default element's attribute lists on arbitrary text: a list reads or is refused
// as a whole, and a list that reads reads the same again from its canonical form, which
// is a fixed point.
#include "FuzzInput.h"
#include "platform/ui/AttributeList.h"

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring text = fuzz::AsWide(input.RestAsUnits());
    const std::optional<DuiLib::AttributeList> list = DuiLib::ParseAttributeList(text);
    if (!list)
        return 0;
    for (const DuiLib::AttributePair& pair : *list)
        Check(!pair.name.empty() && text.find(pair.value) != std::wstring::npos);
    const std::wstring canonical = DuiLib::WriteAttributeList(*list);
    const std::optional<DuiLib::AttributeList> again = DuiLib::ParseAttributeList(canonical);
    Check(again && *again == *list);
    Check(DuiLib::WriteAttributeList(*again) == canonical);
    return 0;
}
