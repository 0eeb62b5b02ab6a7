// Reading a game file into Base64 text, and writing Base64 text back as a file.
//
// A save never loses or corrupts the file it replaces: the decoded bytes go to a new
// temporary file in the target's folder, which is flushed and then moved over the
// target in one step. Any failure leaves the old file as it was and no temporary file
// behind. Text that is not valid Base64, a missing codec or a failed allocation writes
// nothing at all.
#include "files/FileExchange.h"

#include "platform/win/Handles.h"
#include "platform/win/ModulePath.h"
#include "platform/win/ScopeGuard.h"

#include <algorithm>
#include <cwchar>
#include <memory>
#include <new>
#include <string>

namespace gs {

namespace {

constexpr LONGLONG kLoadLimitBytes = 30'000'000; // files must be smaller
constexpr int kSaveLimitChars = 30'000'000;      // texts may be this long

// Loads and saves go a piece of whole Base64 groups at a time: 48 KB of bytes, 64K
// characters of text, both in the processor's cache from the file to the request and
// back. Standard Base64 of such pieces, one after the other, is the Base64 of the whole:
// a save's text with no line breaks and its padding only at the end, as any movie's
// encoder gives, splits into groups of four characters that each decode to three bytes.
constexpr int kPieceGroups = 16 * 1024;
constexpr int kPieceBytes = 3 * kPieceGroups;
constexpr int kPieceChars = 4 * kPieceGroups;

// A bare file name lies in the current folder.
std::wstring TemporaryFolderFor(const wchar_t* path) {
    std::wstring folder = FolderOf(path);
    return folder.empty() ? std::wstring(L".") : folder;
}

bool WriteAll(HANDLE file, const unsigned char* bytes, DWORD count) {
    DWORD written = 0;
    return ::WriteFile(file, bytes, count, &written, nullptr) && written == count;
}

// Has `write` fill a temporary file beside `path`, then puts that file in its place.
template <typename Writer> bool ReplaceFileContents(const wchar_t* path, Writer write) {
    wchar_t temporary[MAX_PATH] = {};
    if (::GetTempFileNameW(TemporaryFolderFor(path).c_str(), L"gs", 0, temporary) == 0)
        return false;
    gs::ScopeGuard removeTemporary([&] { (void)::DeleteFileW(temporary); });
    {
        gs::UniqueFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !write(file.get()) || !::FlushFileBuffers(file.get()))
            return false;
    }
    if (!::MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    removeTemporary.dismiss();
    return true;
}

// Writes the decoded text a piece at a time; false with `inPieces` cleared when a piece
// does not decode to exactly its three bytes per group (line breaks, padding or text
// that is not Base64 in it, or a codec of its own kind): the whole text then decides.
bool WriteDecodedPieces(Base64Codec& codec, const DuiLib::CDuiString& text, HANDLE file,
                        bool& inPieces) {
    std::unique_ptr<wchar_t[]> piece(new (std::nothrow) wchar_t[kPieceChars + 1]);
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[kPieceBytes]);
    inPieces = piece && bytes;
    for (int at = 0; inPieces && at < text.GetLength(); at += kPieceChars) {
        const int chars = std::min(kPieceChars, text.GetLength() - at);
        std::wmemcpy(piece.get(), text.GetData() + at, static_cast<size_t>(chars));
        piece[chars] = L'\0';
        const int produced = codec.Base64DecodeW(piece.get(), bytes.get(), kPieceBytes);
        const bool last = at + chars == text.GetLength();
        inPieces = last ? produced >= 0 && produced <= chars / 4 * 3 : produced == kPieceBytes;
        if (inPieces && !WriteAll(file, bytes.get(), static_cast<DWORD>(produced)))
            return false;
    }
    return inPieces;
}

// The whole text decoded into one block: the meaning of any text the codec accepts.
bool DecodeWholeAndWrite(Base64Codec& codec, const wchar_t* path, const DuiLib::CDuiString& text) {
    const int capacity = codec.BytesNeededToDecode(text.GetLength(), 0);
    UniqueLocal block(::LocalAlloc(LMEM_FIXED, static_cast<SIZE_T>(capacity) + 1));
    if (!block)
        return false;
    auto* bytes = static_cast<unsigned char*>(block.get());
    const int produced = codec.Base64DecodeW(text.GetData(), bytes, capacity);
    if (produced < 0 || produced > capacity)
        return false;
    const auto write = [&](HANDLE file) {
        return WriteAll(file, bytes, static_cast<DWORD>(produced));
    };
    return ReplaceFileContents(path, write);
}

// How a load a piece at a time ended.
enum class PieceLoad { Encoded, NoRoom, NeedsWhole };

// Reads the file and encodes it into the request a piece at a time; NeedsWhole when a
// read comes short or the codec's pieces do not each fill their places exactly (a codec
// other than standard Base64): the file is then read and encoded whole.
PieceLoad ReadAndEncodeInPieces(Base64Codec& codec, HANDLE file, int count, int chars,
                                RequestWithText& text) {
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[kPieceBytes]);
    if (!bytes)
        return PieceLoad::NeedsWhole;
    if (!text.ReserveForPieces(static_cast<size_t>(chars)))
        return PieceLoad::NoRoom; // the whole way needs the same room
    for (int at = 0; at < count; at += kPieceBytes) {
        const int piece = std::min(kPieceBytes, count - at);
        DWORD read = 0;
        if (!::ReadFile(file, bytes.get(), static_cast<DWORD>(piece), &read, nullptr) ||
            read != static_cast<DWORD>(piece))
            return PieceLoad::NeedsWhole;
        const int units = codec.CharsNeededToEncode(piece);
        const auto encode = [&](wchar_t* place) {
            (void)codec.Base64EncodeW(bytes.get(), piece, place, units * 2);
        };
        if (units <= 0 || !text.WritePiece(static_cast<size_t>(units), encode))
            return PieceLoad::NeedsWhole;
    }
    return PieceLoad::Encoded;
}

// The whole file in one block, encoded in one call: the text of any codec. The room is
// taken first, which drops any pieces already written: a file that cannot be read whole
// leaves the request with no text rather than a part of one. True when the whole file
// was read; a short read still encodes what it read.
bool ReadAndEncodeWhole(Base64Codec& codec, HANDLE file, LONGLONG size, int chars,
                        RequestWithText& text) {
    wchar_t* room = text.Reserve(static_cast<size_t>(chars));
    std::unique_ptr<unsigned char[]> bytes(room ? new (std::nothrow) unsigned char[size + 1]
                                                : nullptr);
    const LARGE_INTEGER start{};
    if (!bytes || !::SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return false;
    DWORD count = 0;
    const bool readWhole =
        ::ReadFile(file, bytes.get(), static_cast<DWORD>(size), &count, nullptr) &&
        count == static_cast<DWORD>(size);
    (void)codec.Base64EncodeW(bytes.get(), static_cast<int>(count), room, chars * 2);
    return readWhole;
}

// No codec gives no room for the text, and the request goes without one.
LoadResult EncodeOpenFile(Base64Codec& codec, HANDLE file, LONGLONG size, RequestWithText& text) {
    const int count = static_cast<int>(size);
    const int chars = codec.CharsNeededToEncode(count);
    if (chars <= 0)
        return LoadResult::NotEncoded;
    const PieceLoad inPieces = ReadAndEncodeInPieces(codec, file, count, chars, text);
    const bool encoded = inPieces == PieceLoad::NeedsWhole
                             ? ReadAndEncodeWhole(codec, file, size, chars, text)
                             : inPieces == PieceLoad::Encoded;
    return encoded ? LoadResult::Encoded : LoadResult::NotEncoded;
}

} // namespace

// The file is read once, a piece at a time, straight into the request's text: the shell
// holds no copy of the file's bytes beside it.
LoadResult ReadAndEncode(Base64Codec& codec, const wchar_t* path, RequestWithText& text) {
    if (!path)
        return LoadResult::Refused;
    UniqueFile file(::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return LoadResult::Refused;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart >= kLoadLimitBytes)
        return LoadResult::Refused;
    try {
        return EncodeOpenFile(codec, file.get(), size.QuadPart, text);
    } catch (...) {
        return LoadResult::NotEncoded;
    }
}

bool DecodeAndWrite(Base64Codec& codec, const wchar_t* path, const DuiLib::CDuiString& text) {
    if (!path || text.GetLength() > kSaveLimitChars)
        return false;
    if (codec.BytesNeededToDecode(text.GetLength(), 0) <= 0 && !text.IsEmpty())
        return false; // no codec: nothing valid to write
    try {
        bool inPieces = true;
        const auto write = [&](HANDLE file) {
            return WriteDecodedPieces(codec, text, file, inPieces);
        };
        if (ReplaceFileContents(path, write))
            return true;
        return !inPieces && DecodeWholeAndWrite(codec, path, text);
    } catch (...) {
        return false;
    }
}

} // namespace gs
