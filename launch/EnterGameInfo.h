#pragma once
// The launch record: everything the movie learns about this launch, gathered once at
// start from the command line (or the handed-over block) and the platform's room block.
// The outgoing requests are formatted on it and the file exchange runs on it.
#include "files/Base64Codec.h"
#include "files/FileExchange.h"
#include "flash/Requests.h"
#include "platform/ui/DuiString.h"

#include <windows.h>

#include <cstdint>

namespace gs {
struct HandoverBlock;
}

class EnterGameInfo {
public:
    // Fills the record from the process's own command line and the room block.
    EnterGameInfo();
    // Fills the record from the given argument vector (argument 0 is the program).
    EnterGameInfo(int argc, char** argv);
    EnterGameInfo(const EnterGameInfo&) = delete;
    EnterGameInfo& operator=(const EnterGameInfo&) = delete;

    // True only when the room block was read.
    bool LoadEnterGameInfo();
    bool LoadEnterGameInfo(int argc, char** argv);
    bool ReadRoomBlock();
    void NotifyGameMasterRoom(HWND senderWindow, int32_t roomNumber) const;

    // Requests into the movie, built by flash/Requests from the fields each carries. The
    // buffer builders write into the caller's zero-filled buffer of kRequestBufferUnits
    // units and return nonzero on success.
    static constexpr int kRequestBufferUnits = gs::kRequestBufferUnits;
    BOOL BuildOnClose(wchar_t* buffer) const;
    BOOL BuildOnRButtonDown(int x, int y, wchar_t* buffer) const;
    BOOL BuildOnSize(int width, int height, wchar_t* buffer) const;
    DuiLib::CDuiString BuildAckEnterGame() const;
    // The "OnLoadFile" request for the path, with room for the file's text.
    gs::RequestWithText BuildOnLoadFile(const wchar_t* path) const;
    DuiLib::CDuiString BuildOnSaveFile(const wchar_t* path) const;

    // The file exchange (files/FileExchange.h): what the load did with the file, and
    // whether the save wrote it. The file's Base64 text goes straight into the room of the
    // request that carries it.
    gs::LoadResult ReadAndEncode(const wchar_t* path, gs::RequestWithText& text);
    bool DecodeAndWrite(const wchar_t* path, const DuiLib::CDuiString& text);

    int32_t Number1 = 0;
    wchar_t Username[20] = {};
    wchar_t Text1[20] = {};
    wchar_t Text2[40] = {};
    uint16_t Word1 = 0;
    wchar_t RoomText[40] = {};
    wchar_t Text3[40] = {};
    uint16_t Word2 = 0;
    wchar_t Text4[256] = {};
    wchar_t Text5[40] = {};
    uint16_t Word3 = 0;
    wchar_t Text6[16] = {};
    int32_t Number2 = 0;
    int32_t Flag = 0;
    int32_t Number3 = 0;
    wchar_t Ticket[128] = {};
    HWND PlatformWindow = nullptr;
    int32_t RoomNumber = 0;
    Base64Codec m_codec;

private:
    void FillFromBlock(const gs::HandoverBlock& block);
    bool LoadHandoverBlock(const char* name);
    void LoadArgumentForm(int argc, char** argv);
};
