#include "flash/RequestReader.h"

#include "platform/ui/Markup.h"

#include <new>

namespace gs {

IncomingRequest ReadRequest(std::wstring_view text) {
    IncomingRequest request;
    DuiLib::CMarkup markup;
    // A text too long for the memory left still names its command: the reader has the
    // root and its attributes before it comes to the arguments' texts.
    try {
        (void)markup.Load(text);
    } catch (const std::bad_alloc&) {
        request.argumentLost = true;
    }
    DuiLib::CMarkupNode root = markup.GetRoot();
    if (!root.IsValid())
        return request;
    request.command = root.GetAttributeValue(L"name");
    DuiLib::CMarkupNode argument = root.GetChild().GetChild();
    request.hasArgument = argument.IsValid() || request.argumentLost;
    if (argument.IsValid() && !request.argumentLost)
        request.argument = DuiLib::CDuiString(markup.TakeValue(argument));
    return request;
}

Command SelectCommand(const DuiLib::CDuiString& name) {
    static const struct {
        const wchar_t* name;
        Command command;
    } commands[] = {
        {L"ReqEnterGame", Command::ReqEnterGame},
        {L"ExitGame", Command::ExitGame},
        {L"LoadFile", Command::LoadFile},
        {L"SaveFile", Command::SaveFile},
        {L"GameMasterRoom", Command::GameMasterRoom},
        {L"FlashWindow", Command::FlashWindow},
        {L"OpenUrl", Command::OpenUrl},
    };
    for (const auto& entry : commands) {
        if (name == entry.name)
            return entry.command;
    }
    return Command::None;
}

} // namespace gs
