#pragma once
// Base64.dll: standard Base64 (RFC 4648: its alphabet, '=' padding) between bytes and
// UTF-16 text. The four entry points are exported by these exact, undecorated names and
// use the C calling convention (__cdecl: the caller removes the arguments).
//
// CharsNeededToEncode(byteCount): units the encoded text needs, the closing NUL
//   included: 4 * ceil(byteCount / 3) + 1. 0 for a negative count or one whose text
//   would not fit in an int.
// BytesNeededToDecode(charCount, reserved): the most bytes a text of charCount units
//   can decode to, (charCount / 4) * 3; 0 for a negative count. reserved is ignored.
// Base64EncodeW(source, sourceBytes, destination, destinationBytes): writes the text and
//   its NUL into destination, which holds destinationBytes bytes (destinationBytes / 2
//   units). Gives the number of characters written, the NUL not counted. When the text
//   and its NUL do not fit, or the arguments are unusable, gives a negative number and
//   writes at most an empty text (one NUL, if there is room for it).
// Base64DecodeW(source, destination, destinationBytes): decodes the NUL-terminated text
//   into at most destinationBytes bytes and gives the number of bytes produced; only that
//   many bytes of destination hold the data. Negative: BASE64_INVALID_TEXT when the text
//   is not Base64, BASE64_DESTINATION_TOO_SMALL when the data does not fit (a destination
//   of BytesNeededToDecode bytes always suffices). Neither writes past destinationBytes.
//
// What the decoder accepts: characters of the alphabet in groups of four; the last group
// may end in "=" or "==" and then only line breaks may follow; CR and LF are skipped
// wherever they stand, so line-wrapped text decodes. Anything else is invalid: any other
// character (spaces too), a unit above 0xFF, a group cut short or left unpadded, text
// after the padding, padding bits that are not zero. An empty text gives 0 bytes.

#define BASE64_CALL __cdecl

#define BASE64_INVALID_TEXT (-1)
#define BASE64_DESTINATION_TOO_SMALL (-2)

#ifdef __cplusplus
extern "C" {
#endif

int BASE64_CALL CharsNeededToEncode(int byteCount);
int BASE64_CALL BytesNeededToDecode(int charCount, int reserved);
int BASE64_CALL Base64EncodeW(const unsigned char* source, int sourceBytes, wchar_t* destination,
                              int destinationBytes);
int BASE64_CALL Base64DecodeW(const wchar_t* source, unsigned char* destination,
                              int destinationBytes);

#ifdef __cplusplus
}
#endif

typedef int(BASE64_CALL* CharsNeededToEncodeProc)(int);
typedef int(BASE64_CALL* BytesNeededToDecodeProc)(int, int);
typedef int(BASE64_CALL* Base64EncodeWProc)(const unsigned char*, int, wchar_t*, int);
typedef int(BASE64_CALL* Base64DecodeWProc)(const wchar_t*, unsigned char*, int);
