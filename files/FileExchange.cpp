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

// A bare file name lies in the current folder.
std::wstring TemporaryFolderFor(const wchar_t* path) {
    std::wstring folder = FolderOf(path);
    return folder.empty() ? std::wstring(L".") : folder;
}

bool WriteAll(HANDLE file, const unsigned char* bytes, DWORD count) {
    DWORD written = 0;
    return ::WriteFile(file, bytes, count, &written, nullptr) && written == count &&
           ::FlushFileBuffers(file);
}

// Writes the bytes under a temporary name beside `path`, then puts them in its place.
bool ReplaceFileContents(const wchar_t* path, const unsigned char* bytes, DWORD count) {
    wchar_t temporary[MAX_PATH] = {};
    if (::GetTempFileNameW(TemporaryFolderFor(path).c_str(), L"gs", 0, temporary) == 0)
        return false;
    gs::ScopeGuard removeTemporary([&] { (void)::DeleteFileW(temporary); });
    {
        gs::UniqueFile file(::CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file || !WriteAll(file.get(), bytes, count))
            return false;
    }
    if (!::MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return false;
    removeTemporary.dismiss();
    return true;
}

// Pieces of whole three-byte groups: standard Base64 of the pieces, one after the other,
// is the Base64 of the whole file. Each piece's text (64K units) stays in the processor's
// cache from its zero fill through the codec to the check that it needs no escaping.
constexpr int kPieceBytes = 3 * 16 * 1024;

// Encodes the file into the request a piece at a time; false when the codec's pieces do
// not each fill their places exactly (a codec other than standard Base64), and the file
// is then encoded in one call.
bool EncodeInPieces(Base64Codec& codec, const unsigned char* bytes, int count, int chars,
                    RequestWithText& text) {
    if (!text.ReserveForPieces(static_cast<size_t>(chars)))
        return true; // no memory for the request: no text, whatever the way
    for (int at = 0; at < count; at += kPieceBytes) {
        const int piece = std::min(kPieceBytes, count - at);
        const int units = codec.CharsNeededToEncode(piece);
        const auto encode = [&](wchar_t* place) {
            (void)codec.Base64EncodeW(bytes + at, piece, place, units * 2);
        };
        if (units <= 0 || !text.WritePiece(static_cast<size_t>(units), encode))
            return false;
    }
    return true;
}

} // namespace

// The read buffer goes before the request is handed on: at no moment does the shell hold
// more than the file's bytes and the request with its text.
int ReadAndEncode(Base64Codec& codec, const wchar_t* path, RequestWithText& text) {
    if (!path)
        return 0;
    UniqueFile file(::CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return 0;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart >= kLoadLimitBytes)
        return 0;
    std::unique_ptr<unsigned char[]> bytes(new (std::nothrow) unsigned char[size.QuadPart + 1]);
    if (!bytes)
        return 0;
    DWORD count = 0;
    (void)::ReadFile(file.get(), bytes.get(), static_cast<DWORD>(size.QuadPart), &count, nullptr);
    file.reset();
    try {
        const int chars = codec.CharsNeededToEncode(static_cast<int>(count));
        if (chars > 0 &&
            !EncodeInPieces(codec, bytes.get(), static_cast<int>(count), chars, text)) {
            if (wchar_t* room = text.Reserve(static_cast<size_t>(chars)))
                (void)codec.Base64EncodeW(bytes.get(), static_cast<int>(count), room, chars * 2);
        }
    } catch (...) {
    }
    return 1;
}

int DecodeAndWrite(Base64Codec& codec, const wchar_t* path, const DuiLib::CDuiString& text) {
    if (!path || text.GetLength() > kSaveLimitChars)
        return 0;
    int capacity = codec.BytesNeededToDecode(text.GetLength(), 0);
    if (capacity <= 0 && !text.IsEmpty())
        return 0; // no codec: nothing valid to write
    UniqueLocal block(::LocalAlloc(LMEM_ZEROINIT, static_cast<SIZE_T>(capacity) + 1));
    if (!block)
        return 0;
    int produced = 0;
    if (capacity > 0) {
        try {
            produced = codec.Base64DecodeW(text.GetData(), static_cast<unsigned char*>(block.get()),
                                           capacity);
        } catch (...) {
            return 0;
        }
    }
    if (produced < 0 || produced > capacity)
        return 0;
    return ReplaceFileContents(path, static_cast<const unsigned char*>(block.get()),
                               static_cast<DWORD>(produced))
               ? 1
               : 0;
}

} // namespace gs
