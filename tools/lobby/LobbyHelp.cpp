#include "tools/lobby/LobbyOptions.h"

#include <algorithm>

namespace lobby {

static const wchar_t kHelpHead[] = LR"(Lobby: plays the game lobby platform for GameShell.

It creates the platform block "GL_ROOM_REC" (42536 bytes: this lobby's window handle at
byte 13036, the ticket at byte 23720), optionally a 496-byte handover block with the
launch fields, starts the shell, logs every game-master-room message its window receives,
and returns the shell's exit code.

Usage: Lobby.exe [options] [-- raw arguments...]

Launch:
  --shell PATH          program to start (default: GameShell.exe beside Lobby.exe)
  --form FORM           how the launch fields reach the shell:
                          handover  one argument, the name of the handover block (default)
                          fields13  13 arguments: number1 username text1 text2 word1
                                    room-text text3 word2 text4 text5 word3 text6 number2
                          fields14  the same 13 and then flag
                          raw       exactly the arguments after "--" (none: no argument)
  -- ARG...             the rest of the command line is the shell's argument list
                        (implies --form raw)
  --handover-name NAME  name of the handover block (default: a fresh one per run)
  --no-handover         create no handover block (the handover form still passes a name,
                        one that no block has)
  --no-room-block       create no "GL_ROOM_REC"
  --timeout MS          kill the shell after MS milliseconds and return 124
  --log FILE            also write every log line to FILE (flushed per line)

Launch fields (texts in the ANSI code page; OPTION-hex takes the bytes as hex digits,
for bytes no text gives; numbers are decimal or 0x-hex and, in the field forms, passed
on exactly as written):
)";

static const wchar_t kHelpTail[] = LR"(  --ticket TEXT, --ticket-hex HEX
                        the ticket in "GL_ROOM_REC" (up to 18816 bytes; a ticket of
                        exactly 18816 bytes has no terminator)

Block layout: number1 at 0 (as handed over), username 4 (20 bytes), text1 24 (20),
text2 44 (40), word1 84 (16-bit), room-text 86 (40), text3 126 (40), word2 166 (16-bit),
text4 168 (256), text5 424 (40), word3 464 (16-bit), text6 466 (16), number2 484,
flag 488, number3 492; all numbers little-endian. A text that fills its field has no
terminator.

Log lines (standard output and --log), among others:
  shell process PID                    the shell has started
  game-master room N from 0xHWND       a well-formed message (dwData 0xFFF01239,
                                       20 bytes, the last 16 zero)
  malformed game-master room message from 0xHWND: ...
  shell exited with code N
  timeout after MS ms: shell killed

Exit code: the shell's; 124 after --timeout killed it; 125 when the lobby itself could
not do its part (bad option, a block it could not create, a shell it could not start).
)";

static std::wstring FieldLine(const FieldSpec& field) {
    std::wstring line = std::wstring(L"  --") + field.option;
    line += field.kind == FieldKind::Text ? L" TEXT, --" + std::wstring(field.option) + L"-hex HEX"
                                          : std::wstring(L" N");
    line.resize(std::max<std::size_t>(line.size() + 2, 42), L' ');
    line += field.kind == FieldKind::Text     ? std::to_wstring(field.width) + L"-byte text"
            : field.kind == FieldKind::Word16 ? std::wstring(L"16-bit number")
                                              : std::wstring(L"32-bit number");
    line += field.argument ? L", argument " + std::to_wstring(field.argument)
                           : std::wstring(L", block only");
    return line + L"\n";
}

std::wstring LobbyHelpText() {
    std::wstring text = kHelpHead;
    for (const FieldSpec& field : kFields)
        text += FieldLine(field);
    return text + kHelpTail;
}

} // namespace lobby
