// Base64.dll as the shell sees it: loaded from the staging folder, entry points looked up
// by name, called with the arguments the shell passes.
#include "codec/Base64.h"

#include "CodecTestSupport.h"
#include "platform/win/Handles.h"
#include "tests/support/GuardPage.h"

#include <windows.h>

#include <climits>
#include <string>

namespace {

using namespace codec_test;

class Base64Dll : public testing::Test {
protected:
    template <typename Proc> Proc Entry(const char* name) const {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module.get(), name)));
    }
    void SetUp() override {
        ASSERT_TRUE(module) << "Base64.dll not in the staging folder";
        charsNeeded = Entry<CharsNeededToEncodeProc>("CharsNeededToEncode");
        bytesNeeded = Entry<BytesNeededToDecodeProc>("BytesNeededToDecode");
        encode = Entry<Base64EncodeWProc>("Base64EncodeW");
        decode = Entry<Base64DecodeWProc>("Base64DecodeW");
        ASSERT_TRUE(charsNeeded && bytesNeeded && encode && decode);
    }

    gs::UniqueModule module{LoadLibraryW(L".\\Base64.dll")};
    CharsNeededToEncodeProc charsNeeded = nullptr;
    BytesNeededToDecodeProc bytesNeeded = nullptr;
    Base64EncodeWProc encode = nullptr;
    Base64DecodeWProc decode = nullptr;
};

TEST_F(Base64Dll, SizesCountTheNulWithinTheRangeOfAnInt) {
    // Zero where the text would not fit in an int.
    // clang-format off
    const int encodeSizes[][2] = {{0, 1}, {1, 5}, {3, 5}, {4, 9}, {29999999, 40000001},
                                  {1610612733, 2147483645}, {1610612734, 0}, {INT_MAX, 0}, {-1, 0}};
    // clang-format on
    for (const auto& [length, expected] : encodeSizes)
        EXPECT_EQ(charsNeeded(length), expected) << length;
    const int decodeSizes[][2] = {
        {0, 0}, {3, 0}, {4, 3}, {30000000, 22500000}, {INT_MAX, 1610612733}, {-4, 0}};
    for (const auto& [length, expected] : decodeSizes)
        EXPECT_EQ(bytesNeeded(length, 0), expected) << length;
}

// The load flow's block (twice CharsNeededToEncode bytes) takes the text and its NUL; an
// empty or refused encode leaves an empty text where there is room for one, and writes
// nothing else.
TEST_F(Base64Dll, EncodeFillsTheShellsBlockOrLeavesAnEmptyText) {
    const Bytes bytes = RandomBytes(30, 2);
    const int fits = 2 * charsNeeded(30);
    std::wstring block(static_cast<std::size_t>(fits / 2), L'#');
    EXPECT_EQ(encode(bytes.data(), 30, block.data(), fits), 40);
    const std::u16string reference = ReferenceEncode(bytes);
    EXPECT_EQ(block.c_str(), std::wstring(reference.begin(), reference.end()));
    EXPECT_EQ(block.back(), L'\0');

    // clang-format off
    const struct { const std::uint8_t* source; int length, destinationBytes, result; } cases[] = {
        {bytes.data(), 30, fits - 1, BASE64_DESTINATION_TOO_SMALL},
        {bytes.data(), 30, fits - 2, BASE64_DESTINATION_TOO_SMALL},
        {bytes.data(), 30, 2, BASE64_DESTINATION_TOO_SMALL},
        {bytes.data(), 30, 1, BASE64_DESTINATION_TOO_SMALL},
        {nullptr, 3, fits, BASE64_INVALID_TEXT}, {bytes.data(), -1, fits, BASE64_INVALID_TEXT},
        {nullptr, 0, fits, 0},
    };
    // clang-format on
    for (const auto& test : cases) {
        std::wstring buffer(static_cast<std::size_t>(fits) + 8, L'#');
        EXPECT_EQ(encode(test.source, test.length, buffer.data(), test.destinationBytes),
                  test.result)
            << test.destinationBytes;
        std::wstring expected(buffer.size(), L'#');
        if (test.destinationBytes >= 2)
            expected[0] = L'\0';
        EXPECT_EQ(buffer, expected) << test.destinationBytes;
    }
    EXPECT_EQ(encode(bytes.data(), 3, nullptr, 16), BASE64_DESTINATION_TOO_SMALL);
}

TEST_F(Base64Dll, DecodeGivesTheExactCountOrANegativeAnswer) {
    unsigned char block[64] = {};
    // clang-format off
    const struct { const wchar_t* text; unsigned char* destination; int capacity, result; } cases[] = {
        {L"QQ==", block, 3, 1}, {L"", nullptr, 0, 0},
        {L"Zm9v\r\nYmE=\r\n", block, 3, BASE64_DESTINATION_TOO_SMALL},
        {L"QUJD!", block, 64, BASE64_INVALID_TEXT}, {L"QUJD QUJD", block, 64, BASE64_INVALID_TEXT},
        {L"QUJ", block, 64, BASE64_INVALID_TEXT}, {L"\u4e41QUJ", block, 64, BASE64_INVALID_TEXT},
    };
    // clang-format on
    for (const auto& test : cases)
        EXPECT_EQ(decode(test.text, test.destination, test.capacity), test.result) << test.text;
    EXPECT_EQ(block[0], 'A');
    EXPECT_LT(decode(nullptr, block, 64), 0);
    EXPECT_LT(decode(L"QUJD", nullptr, 3), 0);
    EXPECT_LT(decode(L"QUJD", block, -1), 0);
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
