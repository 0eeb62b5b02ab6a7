#include "flash/Requests.h"

#include "flash/XmlEscape.h"
#include "platform/ui/PaintManagerUI.h"

using DuiLib::CDuiString;

namespace gs {

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

BOOL BuildOnClose(wchar_t* buffer) {
    ::wsprintfW(buffer, L"<invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>");
    return kRequestBuilt;
}

BOOL BuildOnRButtonDown(wchar_t* buffer) {
    ::wsprintfW(buffer, L"<invoke name=\"OnRButtonDown\" returntype=\"xml\"><arguments/></invoke>");
    return kRequestBuilt;
}

BOOL BuildOnSize(int width, int height, wchar_t* buffer) {
    ::wsprintfW(buffer,
                L"<invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>%d</number>"
                L"<number>%d</number></arguments></invoke>",
                width, height);
    return kRequestBuilt;
}

CDuiString BuildAckEnterGame(const AckEnterGameFields& fields) {
    const wchar_t* flagElement = fields.flag != 0 ? L"true" : L"false";
    CDuiString head;
    head.Format(kAckEnterGameHead, fields.number1, XmlEscape(fields.username).GetData(),
                XmlEscape(fields.text1).GetData(), XmlEscape(fields.text2).GetData(),
                static_cast<int>(fields.word1), XmlEscape(fields.roomText).GetData(),
                XmlEscape(fields.text3).GetData(), static_cast<int>(fields.word2),
                XmlEscape(fields.text4).GetData(), XmlEscape(fields.text5).GetData(),
                static_cast<int>(fields.word3), XmlEscape(fields.text6).GetData(), fields.number2,
                flagElement, fields.number3, XmlEscape(MovieFolder()).GetData());
    CDuiString tail;
    tail.Format(kAckEnterGameTail, XmlEscape(fields.ticket).GetData());
    return head + tail;
}

RequestWithText BuildOnLoadFile(const wchar_t* path) {
    std::wstring head = L"<invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>";
    head += XmlEscape(path).GetData();
    head += L"</string><string>";
    return RequestWithText(std::move(head), L"</string></arguments></invoke>");
}

CDuiString BuildOnSaveFile(const wchar_t* path) {
    CDuiString request;
    request.Format(L"<invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments><string>%s</string>"
                   L"</arguments></invoke>",
                   XmlEscape(path).GetData());
    return request;
}

} // namespace gs
