// The requests the shell sends into the movie. Every text placed into a request is
// XML-escaped; numbers and fixed texts are exactly as the movie expects them.
#include "flash/RequestWithText.h"
#include "flash/XmlEscape.h"
#include "launch/EnterGameInfo.h"
#include "platform/ui/PaintManagerUI.h"

using DuiLib::CDuiString;

namespace {

const wchar_t kAckEnterGameHead[] =
    L"<invoke name=\"AckEnterGame\" returntype=\"xml\"><arguments><number>%d</number>"
    L"<string>%s</string><string>%s</string><string>%s</string><number>%d</number>"
    L"<string>%s</string><string>%s</string><number>%d</number><string>%s</string>"
    L"<string>%s</string><number>%d</number><string>%s</string><number>%d</number><%s/>"
    L"<number>%d</number><string>%s</string>";
const wchar_t kAckEnterGameTail[] = L"<string>%s</string></arguments></invoke>";

CDuiString MovieFolder() {
    return DuiLib::CPaintManagerUI::GetInstancePath() + L"flash";
}

} // namespace

BOOL EnterGameInfo::BuildOnClose(wchar_t* buffer) const {
    ::wsprintfW(buffer, L"<invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>");
    return TRUE;
}

BOOL EnterGameInfo::BuildOnRButtonDown(int, int, wchar_t* buffer) const {
    ::wsprintfW(buffer, L"<invoke name=\"OnRButtonDown\" returntype=\"xml\"><arguments/></invoke>");
    return TRUE;
}

BOOL EnterGameInfo::BuildOnSize(int width, int height, wchar_t* buffer) const {
    ::wsprintfW(buffer,
                L"<invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>%d</number>"
                L"<number>%d</number></arguments></invoke>",
                width, height);
    return TRUE;
}

CDuiString EnterGameInfo::BuildAckEnterGame() const {
    const wchar_t* flagElement = Flag != 0 ? L"true" : L"false";
    CDuiString head;
    head.Format(kAckEnterGameHead, Number1, gs::XmlEscape(Username).GetData(),
                gs::XmlEscape(Text1).GetData(), gs::XmlEscape(Text2).GetData(),
                static_cast<int>(Word1), gs::XmlEscape(RoomText).GetData(),
                gs::XmlEscape(Text3).GetData(), static_cast<int>(Word2),
                gs::XmlEscape(Text4).GetData(), gs::XmlEscape(Text5).GetData(),
                static_cast<int>(Word3), gs::XmlEscape(Text6).GetData(), Number2, flagElement,
                Number3, gs::XmlEscape(MovieFolder()).GetData());
    CDuiString tail;
    tail.Format(kAckEnterGameTail, gs::XmlEscape(Ticket).GetData());
    return head + tail;
}

gs::RequestWithText EnterGameInfo::BuildOnLoadFile(const wchar_t* path) const {
    std::wstring head = L"<invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>";
    head += gs::XmlEscape(path).GetData();
    head += L"</string><string>";
    return gs::RequestWithText(std::move(head), L"</string></arguments></invoke>");
}

CDuiString EnterGameInfo::BuildOnSaveFile(const wchar_t* path) const {
    CDuiString request;
    request.Format(L"<invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments><string>%s</string>"
                   L"</arguments></invoke>",
                   gs::XmlEscape(path).GetData());
    return request;
}
