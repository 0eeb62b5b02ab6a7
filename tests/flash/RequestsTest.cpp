#include "flash/XmlEscape.h"
#include "launch/EnterGameInfo.h"
#include "platform/ui/Markup.h"
#include "platform/ui/PaintManagerUI.h"
#include "tests/support/LoadReply.h"

#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <string>

using DuiLib::CDuiString;
using gs::test::LoadReply;

namespace {

std::wstring Buffered(BOOL (EnterGameInfo::*build)(wchar_t*) const) {
    EnterGameInfo info(0, nullptr);
    wchar_t buffer[EnterGameInfo::kRequestBufferUnits] = {};
    EXPECT_TRUE((info.*build)(buffer));
    return buffer;
}

void FillRecord(EnterGameInfo& info) {
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
}

} // namespace

TEST(Requests, ShortRequestsAreTheFixedTexts) {
    EXPECT_EQ(Buffered(&EnterGameInfo::BuildOnClose),
              L"<invoke name=\"OnClose\" returntype=\"xml\"><arguments/></invoke>");
    EnterGameInfo info(0, nullptr);
    wchar_t first[EnterGameInfo::kRequestBufferUnits] = {};
    wchar_t second[EnterGameInfo::kRequestBufferUnits] = {};
    ASSERT_TRUE(info.BuildOnRButtonDown(5, 6, first));
    ASSERT_TRUE(info.BuildOnRButtonDown(-300, 9000, second));
    EXPECT_STREQ(first, L"<invoke name=\"OnRButtonDown\" returntype=\"xml\"><arguments/></invoke>");
    EXPECT_STREQ(first, second) << "the pointer position is not carried";
    wchar_t size[EnterGameInfo::kRequestBufferUnits] = {};
    ASSERT_TRUE(info.BuildOnSize(1000, 625, size));
    EXPECT_STREQ(size,
                 L"<invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>1000</number>"
                 L"<number>625</number></arguments></invoke>");
    ASSERT_TRUE(info.BuildOnSize(-16, 0, size));
    EXPECT_STREQ(size, L"<invoke name=\"OnSize\" returntype=\"xml\"><arguments><number>-16</number>"
                       L"<number>0</number></arguments></invoke>");
}

TEST(Requests, AckEnterGameCarriesTheRecordInOrder) {
    EnterGameInfo info(0, nullptr);
    FillRecord(info);
    std::wstring folder =
        std::wstring(DuiLib::CPaintManagerUI::GetInstancePath().GetData()) + L"flash";
    std::wstring expected =
        L"<invoke name=\"AckEnterGame\" returntype=\"xml\"><arguments><number>-1</number>"
        L"<string>玩家&lt;1&gt;</string><string>t1</string><string>t2</string><number>65535</"
        L"number>"
        L"<string>1234567</string><string>t3</string><number>2</number><string>t4</string>"
        L"<string></string><number>3</number><string>t6</string><number>2147483647</number><true/>"
        L"<number>-7</number><string>" +
        folder + L"</string><string>tk&amp;1</string></arguments></invoke>";
    EXPECT_EQ(std::wstring(info.BuildAckEnterGame().GetData()), expected);
    info.Flag = 0;
    EXPECT_NE(std::wstring(info.BuildAckEnterGame().GetData()).find(L"</number><false/><number>"),
              std::wstring::npos);
}

TEST(Requests, EveryEscapedRequestIsWellFormedAndReadsBackTheText) {
    const wchar_t* nasty = L"C:\\a&b\\<c>\\\"d\"\\'e'.wzs";
    EnterGameInfo info(0, nullptr);
    std::wstring load = LoadReply(info, nasty, L"QUJD");
    DuiLib::CMarkup markup;
    ASSERT_TRUE(markup.Load(load.c_str()));
    DuiLib::CMarkupNode path = markup.GetRoot().GetChild().GetChild();
    EXPECT_STREQ(path.GetValue(), nasty);
    EXPECT_STREQ(path.GetSibling().GetValue(), L"QUJD");
    CDuiString save = info.BuildOnSaveFile(nasty);
    ASSERT_TRUE(markup.Load(save));
    EXPECT_STREQ(markup.GetRoot().GetChild().GetChild().GetValue(), nasty);
    EXPECT_EQ(gs::XmlEscape(L"&<>\"'"), L"&amp;&lt;&gt;&quot;&apos;");
}

TEST(Requests, FileRepliesWithoutSpecialCharactersAreThePlainTexts) {
    EnterGameInfo info(0, nullptr);
    EXPECT_EQ(LoadReply(info, L"", L""),
              L"<invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string></string>"
              L"<string></string></arguments></invoke>");
    EXPECT_EQ(
        info.BuildOnSaveFile(L"C:\\g\\a.wzs"),
        L"<invoke name=\"OnSaveFile\" returntype=\"xml\"><arguments><string>C:\\g\\a.wzs</string>"
        L"</arguments></invoke>");
    std::wstring content(1'000'000, L'Q');
    std::wstring big = LoadReply(info, L"p", content.c_str());
    EXPECT_EQ(big.size(), LoadReply(info, L"", L"").size() + 1 + 1'000'000);
}

TEST(Requests, ALoadReplyIsItsExactTextWhateverRoomTheTextWasGiven) {
    EnterGameInfo info(0, nullptr);
    const std::wstring plain = L"<invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments>"
                               L"<string>p</string><string>QUJD</string></arguments></invoke>";
    const struct {
        size_t room;
        const wchar_t* text;
        std::wstring expected;
    } cases[] = {
        {5, L"QUJD", plain},  // the codec's count: the text and its NUL
        {64, L"QUJD", plain}, // a count with room to spare
        {4, L"QUJD", plain},  // a text that fills its room without a NUL
        {6, L"a<b",
         L"<invoke name=\"OnLoadFile\" returntype=\"xml\"><arguments><string>p"
         L"</string><string>a&lt;b</string></arguments></invoke>"},
    };
    for (const auto& c : cases) {
        gs::RequestWithText reply = info.BuildOnLoadFile(L"p");
        wchar_t* room = reply.Reserve(c.room);
        ASSERT_NE(room, nullptr);
        std::wmemcpy(room, c.text, std::wcslen(c.text));
        gs::UniqueBstr request = reply.Take();
        EXPECT_EQ(std::wstring(request.get(), ::SysStringLen(request.get())), c.expected) << c.room;
    }
}
