#include "flash/RequestReader.h"

#include "platform/Markup.h"

namespace gs {

IncomingRequest ReadRequest(const wchar_t* text) {
    IncomingRequest request;
    DuiLib::CMarkup markup;
    (void)markup.Load(text ? text : L"");
    DuiLib::CMarkupNode root = markup.GetRoot();
    if (!root.IsValid())
        return request;
    request.command = root.GetAttributeValue(L"name");
    DuiLib::CMarkupNode argument = root.GetChild().GetChild();
    if (argument.IsValid()) {
        request.hasArgument = true;
        request.argument = argument.GetValue();
    }
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
