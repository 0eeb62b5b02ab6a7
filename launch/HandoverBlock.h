#pragma once
// The launch record as the platform hands it over in a named file mapping: 496 bytes,
// little-endian numbers, texts in the ANSI code page, each NUL-terminated within its
// field unless it fills the field. The argument form of the command line is parsed
// into the same image.
#include <cstddef>
#include <cstdint>

namespace gs {

#pragma pack(push, 1)
struct HandoverBlock {
    int32_t number1;
    char username[20];
    char text1[20];
    char text2[40];
    uint16_t word1;
    char roomText[40];
    char text3[40];
    uint16_t word2;
    char text4[256];
    char text5[40];
    uint16_t word3;
    char text6[16];
    uint8_t reserved[2];
    int32_t number2;
    int32_t flag;
    int32_t number3;
};
#pragma pack(pop)

static_assert(sizeof(HandoverBlock) == 496);
static_assert(offsetof(HandoverBlock, username) == 4);
static_assert(offsetof(HandoverBlock, roomText) == 86);
static_assert(offsetof(HandoverBlock, text4) == 168);
static_assert(offsetof(HandoverBlock, text6) == 466);
static_assert(offsetof(HandoverBlock, number2) == 484);
static_assert(offsetof(HandoverBlock, number3) == 492);

} // namespace gs
