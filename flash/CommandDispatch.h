#pragma once
// What each command of the movie makes the shell do, given the request as read. The
// actions are a parameter so that the reading and the choice of command can be
// exercised with any text without carrying the actions out. Portable.
#include "flash/RequestReader.h"
#include "flash/WebAddress.h"
#include "platform/win/DecimalNumber.h"

namespace gs {

// Actions must offer: AnswerEnterGame(), ExitGame(), StartLoadTimer(),
// StoreSaveData(CDuiString&&), RefuseSaveData(), StartSaveTimer(),
// NotifyGameMasterRoom(int32_t), FlashWindow(), OpenUrl(const wchar_t*). A text to save is
// moved on, never copied: it may be as long as a whole file.
template <typename Actions> void RunCommand(IncomingRequest&& request, Actions& actions) {
    switch (SelectCommand(request.command)) {
    case Command::ReqEnterGame:
        actions.AnswerEnterGame();
        break;
    case Command::ExitGame:
        actions.ExitGame();
        break;
    case Command::LoadFile:
        actions.StartLoadTimer();
        break;
    case Command::SaveFile:
        if (request.argumentLost)
            actions.RefuseSaveData();
        else
            actions.StoreSaveData(std::move(request.argument));
        if (request.hasArgument)
            actions.StartSaveTimer();
        break;
    case Command::GameMasterRoom:
        actions.NotifyGameMasterRoom(request.hasArgument ? ParseWideLong(request.argument.GetData())
                                                         : 0);
        break;
    case Command::FlashWindow:
        actions.FlashWindow();
        break;
    case Command::OpenUrl:
        if (request.hasArgument && IsWebAddress(request.argument.GetData()))
            actions.OpenUrl(request.argument.GetData());
        break;
    case Command::None:
        break;
    }
}

} // namespace gs
