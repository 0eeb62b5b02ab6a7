/*
 * GameShell launch blocks: what a lobby hands to GameShell.exe and what it gets back.
 *
 * Plain C11 (also C++11 and later), for 32-bit and 64-bit programs alike; it needs no
 * Windows header. All numbers are little-endian, all texts are bytes in the system's
 * active ANSI code page. See docs/lobby-api.md for the whole contract.
 *
 * 1. The handover block: a named file mapping of at least GAMESHELL_HANDOVER_BLOCK_SIZE
 *    bytes laid out as GameShellHandoverBlock, whose name is the shell's only argument.
 *    The shell opens it for reading only. Each text ends at its first NUL; a text that
 *    fills its whole field has no NUL and ends at the field's end. A field's text must
 *    convert to at most (field size - 2) UTF-16 units to arrive whole: longer text is
 *    cut after the last whole character that fits.
 * 2. The room block "GL_ROOM_REC": a named file mapping of at least
 *    GAMESHELL_ROOM_BLOCK_SIZE bytes holding the lobby's window handle (32 bits) and the
 *    player's ticket (NUL-terminated, up to 126 characters arrive whole). The shell reads
 *    it once at start, with read access only; every other byte is the lobby's own.
 * 3. The game-master-room message: WM_COPYDATA sent by the shell to that window, wParam
 *    the shell's main window, COPYDATASTRUCT.dwData GAMESHELL_GAME_MASTER_ROOM_DATA,
 *    cbData GAMESHELL_GAME_MASTER_ROOM_SIZE, lpData a GameShellGameMasterRoomPayload.
 */
#ifndef GAMESHELL_LAUNCH_BLOCKS_H
#define GAMESHELL_LAUNCH_BLOCKS_H

#include <stddef.h>
#include <stdint.h>

#ifndef __cplusplus
#include <assert.h> /* static_assert */
#endif

#define GAMESHELL_HANDOVER_BLOCK_SIZE 496

#define GAMESHELL_ROOM_BLOCK_NAME "GL_ROOM_REC"
#define GAMESHELL_ROOM_BLOCK_SIZE 42536
#define GAMESHELL_ROOM_WINDOW_OFFSET 13036 /* uint32_t: the window's handle value */
#define GAMESHELL_ROOM_TICKET_OFFSET 23720 /* NUL-terminated ANSI text */

#define GAMESHELL_GAME_MASTER_ROOM_DATA 0xFFF01239u
#define GAMESHELL_GAME_MASTER_ROOM_SIZE 20

#pragma pack(push, 1)

typedef struct GameShellHandoverBlock {
    int32_t number1; /* the movie receives this value minus 1 */
    char username[20];
    char text1[20];
    char text2[40];
    uint16_t word1;
    char roomText[40]; /* gives the default game-master room number */
    char text3[40];
    uint16_t word2;
    char text4[256];
    char text5[40];
    uint16_t word3;
    char text6[16];
    uint8_t reserved[2]; /* not read */
    int32_t number2;
    int32_t flag;    /* 0 false, anything else true */
    int32_t number3; /* only this form carries it; the argument forms give 0 */
} GameShellHandoverBlock;

typedef struct GameShellGameMasterRoomPayload {
    int32_t roomNumber;
    uint8_t zero[16]; /* always 0 */
} GameShellGameMasterRoomPayload;

#pragma pack(pop)

static_assert(sizeof(GameShellHandoverBlock) == GAMESHELL_HANDOVER_BLOCK_SIZE, "handover size");
static_assert(offsetof(GameShellHandoverBlock, number1) == 0, "number1");
static_assert(offsetof(GameShellHandoverBlock, username) == 4, "username");
static_assert(offsetof(GameShellHandoverBlock, text1) == 24, "text1");
static_assert(offsetof(GameShellHandoverBlock, text2) == 44, "text2");
static_assert(offsetof(GameShellHandoverBlock, word1) == 84, "word1");
static_assert(offsetof(GameShellHandoverBlock, roomText) == 86, "roomText");
static_assert(offsetof(GameShellHandoverBlock, text3) == 126, "text3");
static_assert(offsetof(GameShellHandoverBlock, word2) == 166, "word2");
static_assert(offsetof(GameShellHandoverBlock, text4) == 168, "text4");
static_assert(offsetof(GameShellHandoverBlock, text5) == 424, "text5");
static_assert(offsetof(GameShellHandoverBlock, word3) == 464, "word3");
static_assert(offsetof(GameShellHandoverBlock, text6) == 466, "text6");
static_assert(offsetof(GameShellHandoverBlock, reserved) == 482, "reserved");
static_assert(offsetof(GameShellHandoverBlock, number2) == 484, "number2");
static_assert(offsetof(GameShellHandoverBlock, flag) == 488, "flag");
static_assert(offsetof(GameShellHandoverBlock, number3) == 492, "number3");

static_assert(sizeof(GameShellGameMasterRoomPayload) == GAMESHELL_GAME_MASTER_ROOM_SIZE,
              "payload size");
static_assert(offsetof(GameShellGameMasterRoomPayload, zero) == 4, "payload zero bytes");
static_assert(GAMESHELL_ROOM_WINDOW_OFFSET + 4 <= GAMESHELL_ROOM_TICKET_OFFSET, "window");
static_assert(GAMESHELL_ROOM_TICKET_OFFSET < GAMESHELL_ROOM_BLOCK_SIZE, "ticket");

#endif /* GAMESHELL_LAUNCH_BLOCKS_H */
