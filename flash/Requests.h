#pragma once
// The requests the shell sends into the movie, each built from exactly what it carries.
// Every text placed into a request is XML-escaped; numbers and fixed texts are exactly
// as the movie expects them.
#include "flash/RequestWithText.h"
#include "platform/ui/DuiString.h"

#include <windows.h>

#include <cstdint>

namespace gs {

// The short requests are formatted into the caller's zero-filled buffer of this many
// units; their builders return nonzero on success.
constexpr int kRequestBufferUnits = 2000;
// The system's builders answer a BOOL, and a fixed request always fits the caller's
// buffer: they always answer this.
constexpr BOOL kRequestBuilt = TRUE;
BOOL BuildOnClose(wchar_t* buffer);
BOOL BuildOnRButtonDown(wchar_t* buffer);
BOOL BuildOnSize(int width, int height, wchar_t* buffer);

// What "AckEnterGame" tells the movie of its launch, in the order of the request's
// arguments (the movie folder, which comes before the ticket, is the shell's own).
struct AckEnterGameFields {
    int32_t number1;
    const wchar_t* username;
    const wchar_t* text1;
    const wchar_t* text2;
    uint16_t word1;
    const wchar_t* roomText;
    const wchar_t* text3;
    uint16_t word2;
    const wchar_t* text4;
    const wchar_t* text5;
    uint16_t word3;
    const wchar_t* text6;
    int32_t number2;
    int32_t flag;
    int32_t number3;
    const wchar_t* ticket;
};
DuiLib::CDuiString BuildAckEnterGame(const AckEnterGameFields& fields);

// The "OnLoadFile" request for the path, with room for the file's text.
RequestWithText BuildOnLoadFile(const wchar_t* path);
DuiLib::CDuiString BuildOnSaveFile(const wchar_t* path);

} // namespace gs
