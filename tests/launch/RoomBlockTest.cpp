#include "launch/RoomBlock.h"
#include "launch/EnterGameInfo.h"
#include "platform/win/Trace.h"
#include "tests/support/Arguments.h"
#include "tests/support/SharedBlock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using gs::test::Arguments;
using gs::test::SharedBlock;

namespace {

class TraceLines {
public:
    TraceLines() {
        gs::SetTraceHook([this](const gs::TraceLine& line) { lines.push_back(line.Joined()); });
    }
    ~TraceLines() { gs::SetTraceHook(nullptr); }
    std::vector<std::wstring> lines;
};

EnterGameInfo FillWithUser(const char* user) {
    Arguments arguments{"1", user, "", "", "0", "9876543", "", "0", "", "", "0", "", "0"};
    return EnterGameInfo(arguments.count(), arguments.values());
}

void PutTicket(const SharedBlock& room, const std::string& ticket) {
    room.Write(gs::kTicketOffset, ticket.c_str(), ticket.size() + 1);
}

} // namespace

TEST(RoomBlock, GivesThePlatformWindowAndTheTicketAndTracesThem) {
    SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    uint32_t window = 0x00ABCDEF;
    room.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    PutTicket(room, std::string(126, 'T'));
    TraceLines trace;
    EnterGameInfo info = FillWithUser("player");
    EXPECT_EQ(info.PlatformWindow, reinterpret_cast<HWND>(0x00ABCDEF));
    EXPECT_EQ(std::wstring(info.Ticket), std::wstring(126, L'T'));
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_EQ(trace.lines[0], L"Username = player,Ticket = " + std::wstring(126, L'T') + L" \n");
}

// The shell's view of the block's 42536 bytes takes whole pages, and nothing readable
// follows the last one. Made that many bytes long and filled with the ticket to its
// end, the block has no byte the ticket's read may reach past 42536 without faulting.
TEST(RoomBlock, ATicketWithoutTerminatorIsReadOnlyUpToTheBlocksEnd) {
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    const std::size_t page = system.dwPageSize;
    const std::size_t wholePages = (gs::kRoomBlockBytes + page - 1) / page * page;
    SharedBlock room(gs::kRoomBlockName, wholePages);
    ASSERT_TRUE(room);
    std::memset(room.bytes() + gs::kTicketOffset, 'K', wholePages - gs::kTicketOffset);
    EnterGameInfo info = FillWithUser("p");
    EXPECT_EQ(std::wstring(info.Ticket), std::wstring(126, L'K'));
    EXPECT_EQ(info.Ticket[127], L'\0');
}

TEST(RoomBlock, MissingOrTooSmallBlocksAreNotRead) {
    {
        TraceLines trace;
        EnterGameInfo info = FillWithUser("p");
        EXPECT_EQ(info.PlatformWindow, nullptr);
        EXPECT_STREQ(info.Ticket, L"");
        EXPECT_EQ(info.RoomNumber, 87654) << "the launch fields are still filled";
        EXPECT_TRUE(trace.lines.empty());
    }
    SharedBlock small(gs::kRoomBlockName, gs::kTicketOffset);
    ASSERT_TRUE(small);
    uint32_t window = 0x77;
    small.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    EnterGameInfo info = FillWithUser("p");
    EXPECT_FALSE(info.ReadRoomBlock());
    EXPECT_EQ(info.PlatformWindow, nullptr);
}

TEST(RoomBlock, TicketInTheAnsiCodePage) {
    SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    PutTicket(room, "\xC6\xB1\xBE\xDD-1"); // "票据-1" in GBK
    EnterGameInfo info = FillWithUser("p");
    if (::GetACP() == 936)
        EXPECT_STREQ(info.Ticket, L"票据-1");
    else
        EXPECT_STREQ(info.Ticket, L"\u00C6\u00B1\u00BE\u00DD-1");
}

namespace {

// A real window of the platform's kind: it records every game-master-room message.
struct Received {
    int messages = 0;
    ULONG_PTR data = 0;
    std::vector<unsigned char> payload;
    HWND sender = nullptr;
};
Received g_received;

LRESULT CALLBACK PlatformProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA)
        return ::DefWindowProcW(window, message, wParam, lParam);
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    ++g_received.messages;
    g_received.data = copy->dwData;
    const auto* bytes = static_cast<const unsigned char*>(copy->lpData);
    g_received.payload.assign(bytes, bytes + copy->cbData);
    g_received.sender = reinterpret_cast<HWND>(wParam);
    return TRUE;
}

class PlatformWindow : public ::testing::Test {
protected:
    PlatformWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = PlatformProc;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GameShellTestPlatform";
        ::RegisterClassW(&windowClass);
        m_window.reset(::CreateWindowExW(0, L"GameShellTestPlatform", L"", 0, 0, 0, 0, 0,
                                         HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr));
        g_received = Received{};
        m_info.PlatformWindow = m_window.get();
        m_info.RoomNumber = 321;
    }
    int32_t SentRoom() const {
        int32_t room = 0;
        std::memcpy(&room, g_received.payload.data(), sizeof room);
        return room;
    }

    gs::UniqueWindow m_window;
    EnterGameInfo m_info{0, nullptr};
};

} // namespace

TEST_F(PlatformWindow, ReceivesTheRoomInTwentyBytes) {
    ASSERT_TRUE(m_window);
    HWND sender = reinterpret_cast<HWND>(0x5150);
    m_info.NotifyGameMasterRoom(sender, 42);
    ASSERT_EQ(g_received.messages, 1);
    EXPECT_EQ(g_received.data, 0xFFF01239u);
    ASSERT_EQ(g_received.payload.size(), 20u);
    EXPECT_EQ(SentRoom(), 42);
    EXPECT_EQ(std::vector<unsigned char>(g_received.payload.begin() + 4, g_received.payload.end()),
              std::vector<unsigned char>(16, 0));
    EXPECT_EQ(g_received.sender, sender);
}

TEST_F(PlatformWindow, RoomZeroFallsBackToTheDerivedNumberAndNegativesPass) {
    ASSERT_TRUE(m_window);
    m_info.NotifyGameMasterRoom(nullptr, 0);
    EXPECT_EQ(SentRoom(), 321);
    m_info.NotifyGameMasterRoom(nullptr, -5);
    EXPECT_EQ(SentRoom(), -5);
    EXPECT_EQ(g_received.messages, 2);
}

TEST_F(PlatformWindow, NothingIsSentWithoutAPlatformWindow) {
    ASSERT_TRUE(m_window);
    m_info.PlatformWindow = nullptr;
    m_info.NotifyGameMasterRoom(nullptr, 42);
    EXPECT_EQ(g_received.messages, 0);
}

// A platform whose window stops answering messages: its thread waits, without pumping,
// until the test lets it go (or 20 seconds pass). The message must give up long before.
TEST_F(PlatformWindow, AHungPlatformDoesNotHoldTheMoviesCall) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcW; // the abandoned message is never read
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"GameShellHungPlatform";
    ::RegisterClassW(&windowClass);
    gs::UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> hungWindow{nullptr};
    std::atomic<bool> resumed{false};
    std::thread platform([&] {
        HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                        HWND_MESSAGE, nullptr, windowClass.hInstance, nullptr);
        hungWindow = window;
        ::WaitForSingleObject(release.get(), 20000);
        resumed = true;
        ::DestroyWindow(window);
    });
    while (!hungWindow)
        std::this_thread::yield();
    m_info.PlatformWindow = hungWindow;
    m_info.NotifyGameMasterRoom(nullptr, 42);
    EXPECT_FALSE(resumed) << "the call waited until the platform answered again";
    ::SetEvent(release.get());
    platform.join();
}
