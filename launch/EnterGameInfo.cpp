#include "launch/EnterGameInfo.h"

#include "files/FileExchange.h"
#include "launch/AnsiField.h"
#include "launch/HandoverBlock.h"
#include "launch/LaunchNumbers.h"
#include "launch/ProcessArguments.h"
#include "platform/win/DecimalNumber.h"
#include "platform/win/Handles.h"

#include <cstring>

namespace {

// The first argument carries Number1 as handed over; the record keeps it minus 1,
// wrapping like the platform's own 32-bit arithmetic.
int32_t Decrement(int32_t value) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) - 1u);
}

// strncpy into a field of the image: shorter text is followed by NULs, longer text is
// cut at the field's width and has no terminator (the field's width then ends it).
template <size_t Width> void CopyArgument(const char* argument, char (&field)[Width]) {
    std::memset(field, 0, Width);
    if (argument)
        std::memcpy(field, argument, strnlen(argument, Width));
}

} // namespace

EnterGameInfo::EnterGameInfo() {
    (void)LoadEnterGameInfo();
}

EnterGameInfo::EnterGameInfo(int argc, char** argv) {
    (void)LoadEnterGameInfo(argc, argv);
}

bool EnterGameInfo::LoadEnterGameInfo() {
    gs::AnsiArguments arguments = gs::ProcessAnsiArguments();
    return LoadEnterGameInfo(arguments.count, arguments.values);
}

bool EnterGameInfo::LoadEnterGameInfo(int argc, char** argv) {
    if (!argv)
        argc = 0;
    if (argc == 14 || argc == 15)
        LoadArgumentForm(argc, argv);
    else if (argc == 2 && !LoadHandoverBlock(argv[1]))
        return false;
    try {
        RoomNumber = gs::RoomNumberFromText(RoomText);
    } catch (...) {
        RoomNumber = 0;
    }
    return ReadRoomBlock();
}

void EnterGameInfo::LoadArgumentForm(int argc, char** argv) {
    gs::HandoverBlock image{};
    image.number1 = gs::ParseAnsiLong(argv[1]);
    CopyArgument(argv[2], image.username);
    CopyArgument(argv[3], image.text1);
    CopyArgument(argv[4], image.text2);
    image.word1 = static_cast<uint16_t>(gs::ParseAnsiLong(argv[5]));
    CopyArgument(argv[6], image.roomText);
    CopyArgument(argv[7], image.text3);
    image.word2 = static_cast<uint16_t>(gs::ParseAnsiLong(argv[8]));
    CopyArgument(argv[9], image.text4);
    CopyArgument(argv[10], image.text5);
    image.word3 = static_cast<uint16_t>(gs::ParseAnsiLong(argv[11]));
    CopyArgument(argv[12], image.text6);
    image.number2 = gs::ParseAnsiLong(argv[13]);
    image.flag = argc == 15 ? gs::ParseAnsiLong(argv[14]) : 0;
    FillFromBlock(image);
    Number3 = 0;
}

bool EnterGameInfo::LoadHandoverBlock(const char* name) {
    gs::UniqueMapping mapping(::OpenFileMappingA(FILE_MAP_READ, FALSE, name));
    if (!mapping)
        return false;
    gs::UniqueView view(
        ::MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(gs::HandoverBlock)));
    if (!view)
        return false;
    gs::HandoverBlock block;
    std::memcpy(&block, view.get(), sizeof block);
    FillFromBlock(block);
    return true;
}

void EnterGameInfo::FillFromBlock(const gs::HandoverBlock& block) {
    Number1 = Decrement(block.number1);
    gs::CopyAnsiField(block.username, sizeof block.username, Username);
    gs::CopyAnsiField(block.text1, sizeof block.text1, Text1);
    gs::CopyAnsiField(block.text2, sizeof block.text2, Text2);
    Word1 = block.word1;
    gs::CopyAnsiField(block.roomText, sizeof block.roomText, RoomText);
    gs::CopyAnsiField(block.text3, sizeof block.text3, Text3);
    Word2 = block.word2;
    gs::CopyAnsiField(block.text4, sizeof block.text4, Text4);
    gs::CopyAnsiField(block.text5, sizeof block.text5, Text5);
    Word3 = block.word3;
    gs::CopyAnsiField(block.text6, sizeof block.text6, Text6);
    Number2 = block.number2;
    Flag = block.flag;
    Number3 = block.number3;
}

gs::LoadResult EnterGameInfo::ReadAndEncode(const wchar_t* path, gs::RequestWithText& text) {
    return gs::ReadAndEncode(m_codec, path, text);
}

bool EnterGameInfo::DecodeAndWrite(const wchar_t* path, const DuiLib::CDuiString& text) {
    return gs::DecodeAndWrite(m_codec, path, text);
}
