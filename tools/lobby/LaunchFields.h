#pragma once
// The launch fields the lobby hands to the shell, described once: their option names,
// their place in the 496-byte handover block and their argument number in the
// field-argument form. Everything else (option parsing, the block image, the argument
// vector, the help text) is driven by this table.
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

inline constexpr std::size_t kHandoverSize = 496;
inline constexpr std::size_t kFieldCount = 15;

inline constexpr std::array<FieldSpec, kFieldCount> kFields{{
    {L"number1", FieldKind::Int32, 0, 4, 1},
    {L"username", FieldKind::Text, 4, 20, 2},
    {L"text1", FieldKind::Text, 24, 20, 3},
    {L"text2", FieldKind::Text, 44, 40, 4},
    {L"word1", FieldKind::Word16, 84, 2, 5},
    {L"room-text", FieldKind::Text, 86, 40, 6},
    {L"text3", FieldKind::Text, 126, 40, 7},
    {L"word2", FieldKind::Word16, 166, 2, 8},
    {L"text4", FieldKind::Text, 168, 256, 9},
    {L"text5", FieldKind::Text, 424, 40, 10},
    {L"word3", FieldKind::Word16, 464, 2, 11},
    {L"text6", FieldKind::Text, 466, 16, 12},
    {L"number2", FieldKind::Int32, 484, 4, 13},
    {L"flag", FieldKind::Int32, 488, 4, 14},
    {L"number3", FieldKind::Int32, 492, 4, 0},
}};

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
