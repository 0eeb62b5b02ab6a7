#include "launch/EnterGameInfo.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

// The folder of this program, as the system reports it.
std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

} // namespace

// The fixed texts themselves are checked against the developers' page (MovieApiPage).
TEST(Requests, AckEnterGameCarriesTheRecordInOrder) {
    EnterGameInfo info(0, nullptr);
    info.Number1 = -1;
    std::wcscpy(info.Username, L"玩家<1>");
    std::wcscpy(info.Text1, L"t1");
    std::wcscpy(info.Text2, L"t2");
    info.Word1 = 65535;
    std::wcscpy(info.RoomText, L"1234567");
    std::wcscpy(info.Text3, L"t3");
    info.Word2 = 2;
    std::wcscpy(info.Text4, L"t4");
    info.Text5[0] = L'\0';
    info.Word3 = 3;
    std::wcscpy(info.Text6, L"t6");
    info.Number2 = 2147483647;
    info.Flag = 5;
    info.Number3 = -7;
    std::wcscpy(info.Ticket, L"tk&1");
    std::wstring expected =
        L"<invoke name=\"AckEnterGame\" returntype=\"xml\"><arguments><number>-1</number>"
        L"<string>玩家&lt;1&gt;</string><string>t1</string><string>t2</string><number>65535"
        L"</number><string>1234567</string><string>t3</string><number>2</number><string>t4"
        L"</string><string></string><number>3</number><string>t6</string><number>2147483647"
        L"</number><true/><number>-7</number><string>" +
        ProgramFolder() + L"flash</string><string>tk&amp;1</string></arguments></invoke>";
    EXPECT_EQ(std::wstring(info.BuildAckEnterGame().GetData()), expected);
    info.Flag = 0;
    EXPECT_NE(std::wstring(info.BuildAckEnterGame().GetData()).find(L"</number><false/><number>"),
              std::wstring::npos);
}

// The path is escaped as every text is (the save reply's: the developers' page).
TEST(Requests, ALoadReplyIsItsExactTextWhateverRoomTheTextWasGiven) {
    EnterGameInfo info(0, nullptr);
    const std::wstring head = L"<invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments>"
                              L"<string>C:\\R&amp;D\\&lt;1&gt;.wzs</string><string>";
    const std::wstring tail = L"</string></arguments></invoke>";
    // clang-format off
    const struct { size_t room; const wchar_t* text; const wchar_t* sent; } cases[] = {
        {5, L"QUJD", L"QUJD"},  // the codec's count: the text and its NUL
        {64, L"QUJD", L"QUJD"}, // a count with room to spare
        {4, L"QUJD", L"QUJD"},  // a text that fills its room without a NUL
        {6, L"a<b", L"a&lt;b"}, {1, L"", L""},
    };
    // clang-format on
    for (const auto& c : cases) {
        gs::RequestWithText reply = info.BuildOnLoadFile(L"C:\\R&D\\<1>.wzs");
        wchar_t* room = reply.Reserve(c.room);
        ASSERT_NE(room, nullptr);
        std::wmemcpy(room, c.text, std::wcslen(c.text));
        gs::UniqueBstr request = reply.Take();
        EXPECT_EQ(std::wstring(request.get(), ::SysStringLen(request.get())), head + c.sent + tail)
            << c.room;
    }
}
