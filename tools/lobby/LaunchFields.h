#pragma once
// The launch fields the lobby hands to the shell, described once: their option names,
// their place in the handover block (laid out by the header given to lobby
// developers) and their argument number in the
// field-argument form. Everything else (option parsing, the block image, the argument
// vector, the help text) is driven by this table.
#include "gameshell/LaunchBlocks.h"

#include <array>
#include <cstddef>
#include <string>

namespace lobby {

enum class FieldKind { Int32, Word16, Text };

struct FieldSpec {
    const wchar_t* option; // "--" + option on the command line
    FieldKind kind;
    std::size_t offset; // byte offset in the handover block
    std::size_t width;  // bytes in the handover block
    int argument;       // argument number in the field form, 0 when it has none
};

inline constexpr std::size_t kHandoverSize = sizeof(GameShellHandoverBlock);
inline constexpr std::size_t kFieldCount = 15;

// The offset and width of a member of the handover block.
#define GS_BLOCK_FIELD(member)                                                                     \
    offsetof(GameShellHandoverBlock, member), sizeof(GameShellHandoverBlock::member)

inline constexpr std::array<FieldSpec, kFieldCount> kFields{{
    {L"number1", FieldKind::Int32, GS_BLOCK_FIELD(number1), 1},
    {L"username", FieldKind::Text, GS_BLOCK_FIELD(username), 2},
    {L"text1", FieldKind::Text, GS_BLOCK_FIELD(text1), 3},
    {L"text2", FieldKind::Text, GS_BLOCK_FIELD(text2), 4},
    {L"word1", FieldKind::Word16, GS_BLOCK_FIELD(word1), 5},
    {L"room-text", FieldKind::Text, GS_BLOCK_FIELD(roomText), 6},
    {L"text3", FieldKind::Text, GS_BLOCK_FIELD(text3), 7},
    {L"word2", FieldKind::Word16, GS_BLOCK_FIELD(word2), 8},
    {L"text4", FieldKind::Text, GS_BLOCK_FIELD(text4), 9},
    {L"text5", FieldKind::Text, GS_BLOCK_FIELD(text5), 10},
    {L"word3", FieldKind::Word16, GS_BLOCK_FIELD(word3), 11},
    {L"text6", FieldKind::Text, GS_BLOCK_FIELD(text6), 12},
    {L"number2", FieldKind::Int32, GS_BLOCK_FIELD(number2), 13},
    {L"flag", FieldKind::Int32, GS_BLOCK_FIELD(flag), 14},
    {L"number3", FieldKind::Int32, GS_BLOCK_FIELD(number3), 0},
}};

#undef GS_BLOCK_FIELD

// Each value as bytes in the ANSI code page: texts as they go into the block, numbers
// as the decimal text given on the lobby's command line (passed on verbatim in the
// field form, parsed only for the block).
using FieldValues = std::array<std::string, kFieldCount>;

// Numbers 0, texts empty.
inline FieldValues DefaultFieldValues() {
    FieldValues values;
    for (std::size_t i = 0; i < kFieldCount; ++i)
        if (kFields[i].kind != FieldKind::Text)
            values[i].push_back('0');
    return values;
}

} // namespace lobby
