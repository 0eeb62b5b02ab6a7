#pragma once
// The binding to the codec library "Base64.dll", loaded on first use from the
// program's own folder (or the system folder) and never from the current folder,
// which the open dialog moves to wherever the user browsed. Every operation answers 0
// while the library or its entry point is missing, and the next one tries again.
#include "platform/win/Handles.h"

#include <windows.h>

class Base64Codec {
public:
    Base64Codec() = default;
    Base64Codec(const Base64Codec&) = delete;
    Base64Codec& operator=(const Base64Codec&) = delete;
    ~Base64Codec() { (void)Free(); }

    bool Load();
    BOOL Free();

    int CharsNeededToEncode(int byteCount);
    int BytesNeededToDecode(int charCount, int reserved);
    int Base64EncodeW(const unsigned char* source, int sourceBytes, wchar_t* destination,
                      int destinationBytes);
    int Base64DecodeW(const wchar_t* source, unsigned char* destination, int destinationBytes);

private:
    template <typename Proc> Proc Find(const char* name);

    gs::UniqueModule m_module;
};
