// The platform's block read at start, and the game-master-room message to a platform
// that has stopped answering (the message itself is checked end to end, by the lobby).
#include "launch/RoomBlock.h"
#include "launch/EnterGameInfo.h"
#include "platform/win/ScopeGuard.h"
#include "platform/win/Trace.h"
#include "tests/support/Arguments.h"
#include "tests/support/SharedBlock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

using namespace gs::test;

namespace {

EnterGameInfo FillWithUser(const char* user) {
    Arguments arguments{"1", user, "", "", "0", "9876543", "", "0", "", "", "0", "", "0"};
    return EnterGameInfo(arguments.count(), arguments.values());
}

void PutTicket(const SharedBlock& room, const std::string& ticket) {
    room.Write(gs::kTicketOffset, ticket.c_str(), ticket.size() + 1);
}

} // namespace

TEST(RoomBlock, ReadsTheBlockThePlatformWrote) {
    const SharedBlock room(gs::kRoomBlockName, gs::kRoomBlockBytes);
    ASSERT_TRUE(room);
    const uint32_t window = 0x00ABCDEF;
    room.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    PutTicket(room, "\xC6\xB1\xBE\xDD-1"); // "票据-1" in GBK
    std::vector<std::wstring> trace;
    gs::SetTraceHook([&](const gs::TraceLine& line) { trace.push_back(line.Joined()); });
    const gs::ScopeGuard unhook([] { gs::SetTraceHook(nullptr); });
    const EnterGameInfo info = FillWithUser("player");
    const std::wstring ticket = ::GetACP() == 936 ? L"票据-1" : L"\u00C6\u00B1\u00BE\u00DD-1";
    EXPECT_EQ(info.PlatformWindow, reinterpret_cast<HWND>(0x00ABCDEF));
    EXPECT_EQ(trace, std::vector<std::wstring>{L"Username = player,Ticket = " + ticket + L" \n"});
}

// The shell's view of the block's 42536 bytes takes whole pages, and nothing readable
// follows the last one. Made that many bytes long and filled with the ticket to its
// end, the block has no byte the ticket's read may reach past 42536 without faulting.
// A block too small to hold the ticket is left unread.
TEST(RoomBlock, ATicketIsNeverReadPastTheBlocksEnd) {
    SYSTEM_INFO system;
    ::GetSystemInfo(&system);
    const std::size_t page = system.dwPageSize;
    const std::size_t wholePages = (gs::kRoomBlockBytes + page - 1) / page * page;
    {
        const SharedBlock room(gs::kRoomBlockName, wholePages);
        ASSERT_TRUE(room);
        std::memset(room.bytes() + gs::kTicketOffset, 'K', wholePages - gs::kTicketOffset);
        const EnterGameInfo info = FillWithUser("p");
        EXPECT_EQ(std::wstring(info.Ticket), std::wstring(126, L'K'));
        EXPECT_EQ(info.Ticket[127], L'\0');
    }
    const SharedBlock small(gs::kRoomBlockName, gs::kTicketOffset);
    ASSERT_TRUE(small);
    const uint32_t window = 0x77;
    small.Write(gs::kPlatformWindowOffset, &window, sizeof window);
    EnterGameInfo info = FillWithUser("p");
    EXPECT_FALSE(info.ReadRoomBlock());
    EXPECT_EQ(info.PlatformWindow, nullptr);
}

// A platform whose window stops answering messages: its thread waits, without pumping,
// until the test lets it go (or 20 seconds pass). The message must give up long before.
TEST(GameMasterRoom, AHungPlatformDoesNotHoldTheMoviesCall) {
    gs::UniqueKernelHandle release(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> hungWindow{nullptr};
    std::atomic<bool> resumed{false};
    std::thread platform([&] {
        HWND window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        nullptr, nullptr);
        hungWindow = window;
        ::WaitForSingleObject(release.get(), 20000);
        resumed = true;
        ::DestroyWindow(window);
    });
    while (!hungWindow)
        std::this_thread::yield();
    EnterGameInfo info(0, nullptr);
    info.PlatformWindow = hungWindow;
    info.NotifyGameMasterRoom(nullptr, 42);
    EXPECT_FALSE(resumed) << "the call waited until the platform answered again";
    ::SetEvent(release.get());
    platform.join();
}
