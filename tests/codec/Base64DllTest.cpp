// Base64.dll as the shell sees it: loaded from the staging folder, entry points looked up
// by name, called with the arguments the shell passes.
#include "codec/Base64.h"

#include "CodecTestSupport.h"
#include "tests/support/GuardPage.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>

namespace {

using namespace codec_test;

class Base64Dll : public testing::Test {
protected:
    static void SetUpTestSuite() {
        wchar_t folder[MAX_PATH] = {};
        ASSERT_NE(GetCurrentDirectoryW(MAX_PATH, folder), 0u);
        module = LoadLibraryW((std::wstring(folder) + L"\\Base64.dll").c_str());
        ASSERT_NE(module, nullptr) << "Base64.dll not in the staging folder";
    }
    static void TearDownTestSuite() {
        FreeLibrary(module);
        module = nullptr;
    }
    template <typename Proc> static Proc Entry(const char* name) {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    }
    void SetUp() override {
        charsNeeded = Entry<CharsNeededToEncodeProc>("CharsNeededToEncode");
        bytesNeeded = Entry<BytesNeededToDecodeProc>("BytesNeededToDecode");
        encode = Entry<Base64EncodeWProc>("Base64EncodeW");
        decode = Entry<Base64DecodeWProc>("Base64DecodeW");
        ASSERT_TRUE(charsNeeded && bytesNeeded && encode && decode);
    }

    // The load flow's steps: a zero-filled block of twice CharsNeededToEncode bytes.
    std::wstring EncodeAsTheShellDoes(const Bytes& bytes) {
        const int chars = charsNeeded(static_cast<int>(bytes.size()));
        std::wstring block(static_cast<std::size_t>(chars), L'\0');
        const int written =
            encode(bytes.data(), static_cast<int>(bytes.size()), block.data(), 2 * chars);
        EXPECT_EQ(written, chars - 1);
        EXPECT_EQ(block.back(), L'\0');
        return block.c_str();
    }

    static inline HMODULE module = nullptr;
    CharsNeededToEncodeProc charsNeeded = nullptr;
    BytesNeededToDecodeProc bytesNeeded = nullptr;
    Base64EncodeWProc encode = nullptr;
    Base64DecodeWProc decode = nullptr;
};

std::set<std::string> ExportedNames(HMODULE module) {
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* exports =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    std::set<std::string> result;
    for (DWORD index = 0; index < exports->NumberOfNames; ++index)
        result.insert(reinterpret_cast<const char*>(base + names[index]));
    EXPECT_EQ(exports->NumberOfFunctions, exports->NumberOfNames);
    return result;
}

TEST_F(Base64Dll, ExportsExactlyTheFourUndecoratedNames) {
    EXPECT_EQ(ExportedNames(module),
              (std::set<std::string>{"Base64DecodeW", "Base64EncodeW", "BytesNeededToDecode",
                                     "CharsNeededToEncode"}));
}

TEST_F(Base64Dll, SizesLeaveRoomForTheNulAndStayInRange) {
    EXPECT_EQ(charsNeeded(0), 1);
    EXPECT_EQ(charsNeeded(1), 5);
    EXPECT_EQ(charsNeeded(3), 5);
    EXPECT_EQ(charsNeeded(4), 9);
    EXPECT_EQ(charsNeeded(29999999), 40000001);
    EXPECT_EQ(charsNeeded(1610612733), 2147483645);
    EXPECT_EQ(charsNeeded(1610612734), 0) << "text would not fit in an int";
    EXPECT_EQ(charsNeeded(INT_MAX), 0);
    EXPECT_EQ(charsNeeded(-1), 0);
    EXPECT_EQ(bytesNeeded(0, 0), 0);
    EXPECT_EQ(bytesNeeded(3, 0), 0);
    EXPECT_EQ(bytesNeeded(4, 0), 3);
    EXPECT_EQ(bytesNeeded(30000000, 0), 22500000);
    EXPECT_EQ(bytesNeeded(INT_MAX, 0), 1610612733);
    EXPECT_EQ(bytesNeeded(-4, 0), 0);
}

TEST_F(Base64Dll, RoundTripThroughTheShellsBuffers) {
    for (std::size_t length : {0u, 1u, 2u, 3u, 31u, 1000u, 65537u}) {
        const Bytes bytes = RandomBytes(length, 17);
        const std::wstring text = EncodeAsTheShellDoes(bytes);
        const std::u16string expected = ReferenceEncode(bytes);
        ASSERT_EQ(text, std::wstring(expected.begin(), expected.end()));

        const int capacity = bytesNeeded(static_cast<int>(text.size()), 0);
        Bytes block(static_cast<std::size_t>(capacity));
        ASSERT_EQ(decode(text.c_str(), block.data(), capacity), static_cast<int>(length));
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), block.begin()));
    }
}

TEST_F(Base64Dll, EncodeThatDoesNotFitLeavesAnEmptyText) {
    const Bytes bytes = RandomBytes(30, 2);
    const int chars = charsNeeded(30);
    for (int destinationBytes : {2 * chars - 1, 2 * chars - 2, 3, 2}) {
        std::wstring buffer(static_cast<std::size_t>(chars) + 8, L'#');
        EXPECT_EQ(encode(bytes.data(), 30, buffer.data(), destinationBytes),
                  BASE64_DESTINATION_TOO_SMALL);
        EXPECT_EQ(buffer[0], L'\0');
        EXPECT_EQ(buffer.substr(1), std::wstring(buffer.size() - 1, L'#')) << destinationBytes;
    }
    wchar_t untouched = L'#';
    EXPECT_EQ(encode(bytes.data(), 30, &untouched, 1), BASE64_DESTINATION_TOO_SMALL);
    EXPECT_EQ(untouched, L'#');
}

TEST_F(Base64Dll, DecodeGivesTheExactCountOrANegativeAnswer) {
    unsigned char block[64] = {};
    const struct {
        const wchar_t* text;
        unsigned char* destination;
        int capacity;
        int result;
    } cases[] = {
        {L"QQ==", block, 3, 1},
        {L"", nullptr, 0, 0},
        {L"Zm9v\r\nYmE=\r\n", block, 3, BASE64_DESTINATION_TOO_SMALL},
        {L"QUJD!", block, 64, BASE64_INVALID_TEXT},
        {L"QUJD QUJD", block, 64, BASE64_INVALID_TEXT},
        {L"QUJ", block, 64, BASE64_INVALID_TEXT},
        {L"\u4e41QUJ", block, 64, BASE64_INVALID_TEXT},
    };
    for (const auto& test : cases)
        EXPECT_EQ(decode(test.text, test.destination, test.capacity), test.result) << test.text;
    EXPECT_EQ(block[0], 'A');
    EXPECT_LT(decode(nullptr, block, 64), 0);
    EXPECT_LT(decode(L"QUJD", nullptr, 3), 0);
    EXPECT_LT(decode(L"QUJD", block, -1), 0);
}

TEST_F(Base64Dll, UnusableEncodeArgumentsAreRefused) {
    wchar_t text[8] = {L'#'};
    unsigned char bytes[8] = {};
    EXPECT_LT(encode(nullptr, 3, text, sizeof text), 0);
    EXPECT_EQ(text[0], L'\0');
    EXPECT_LT(encode(bytes, -1, text, sizeof text), 0);
    EXPECT_LT(encode(bytes, 3, nullptr, 16), 0);
    EXPECT_EQ(encode(nullptr, 0, text, sizeof text), 0);
}

// The text ends right before a page that may not be read: the decoder's reads past the
// NUL must stay in the text's own page.
TEST_F(Base64Dll, NeverReadsIntoAPageTheTextDoesNotReach) {
    const Bytes bytes = RandomBytes(600, 6);
    const std::u16string valid = ReferenceEncode(bytes);
    gs::test::GuardedMemory memory((valid.size() + 1) * sizeof(wchar_t));
    ASSERT_TRUE(memory);
    for (std::size_t cut = 0; cut < 40; ++cut) {
        const std::u16string text = valid.substr(0, valid.size() - cut);
        const std::wstring terminated(text.begin(), text.end());
        const wchar_t* start = memory.PlaceAtEnd(terminated.c_str(), text.size() + 1);
        Bytes block(bytes.size());
        const int result = decode(start, block.data(), static_cast<int>(block.size()));
        // Whole groups cut off leave a shorter valid text.
        const int expected =
            cut % 4 == 0 ? static_cast<int>(bytes.size() - cut / 4 * 3) : BASE64_INVALID_TEXT;
        EXPECT_EQ(result, expected) << cut;
    }
}

} // namespace
