#pragma once
// Conversions between the lobby's wide command line, the ANSI bytes that go into the
// blocks and the shell's narrow arguments, and the UTF-8 of the log.
#include <optional>
#include <string>
#include <string_view>

namespace lobby {

// The text in the active ANSI code page, or nothing when a character has no exact
// counterpart there (a best-fit or default character would hand the shell a text the
// user never gave).
std::optional<std::string> WideToAnsi(std::wstring_view text);

// ANSI bytes as the shell's C runtime would see them in a wide command line.
std::wstring AnsiToWide(std::string_view bytes);

std::string WideToUtf8(std::wstring_view text);

// "c4e3bac3" -> the four bytes; nothing for an odd length or a non-hex digit.
std::optional<std::string> HexToBytes(std::wstring_view hex);

} // namespace lobby
