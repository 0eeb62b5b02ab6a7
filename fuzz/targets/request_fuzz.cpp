// The request reader on arbitrary text: it never selects a command that the text does
// not name, and what it reads is what the markup reader says the text holds.
#include "FuzzInput.h"
#include "flash/RequestReader.h"
#include "platform/ui/Markup.h"

#include <cwchar>

using fuzz::Check;

namespace {

const wchar_t* NameOf(gs::Command command) {
    switch (command) {
    case gs::Command::None:
        return nullptr;
    case gs::Command::ReqEnterGame:
        return L"ReqEnterGame";
    case gs::Command::ExitGame:
        return L"ExitGame";
    case gs::Command::LoadFile:
        return L"LoadFile";
    case gs::Command::SaveFile:
        return L"SaveFile";
    case gs::Command::GameMasterRoom:
        return L"GameMasterRoom";
    case gs::Command::FlashWindow:
        return L"FlashWindow";
    case gs::Command::OpenUrl:
        return L"OpenUrl";
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const std::wstring text = fuzz::AsWide(input.RestAsUnits());
    const gs::IncomingRequest request = gs::ReadRequest(text.c_str());
    const gs::Command command = gs::SelectCommand(request.command);

    DuiLib::CMarkup markup(text.c_str());
    const DuiLib::CMarkupNode root = markup.GetRoot();
    const DuiLib::CDuiString named = root.IsValid() ? root.GetAttributeValue(L"name") : L"";
    Check(request.command == named);
    Check(request.hasArgument == root.GetChild().GetChild().IsValid());
    if (const wchar_t* name = NameOf(command)) {
        Check(request.command == name);
        // Without entities the name stands in the text as it is.
        if (text.find(L'&') == std::wstring::npos)
            Check(std::wcsstr(text.c_str(), name) != nullptr);
    }
    return 0;
}
