#include "store/text_encoding.h"

#include <gtest/gtest.h>

#include "tests/native/support/latin1_code_page.h"

namespace vantry {
namespace {

const AnsiCodePage kLatin1 = test::Latin1CodePage();

const std::string kJapaneseEmoji = "C:\\\xE6\x97\xA5\xE6\x9C\xAC\\\xF0\x9F\x98\x80.txt\r\n";

TEST(TextEncoding, AMarkDecidesThenValidMultiByteUtf8ThenTheAnsiCodePage) {
    EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF"
                             "C:\\Caf\xC3\xA9\r\n",
                             kLatin1),
              "C:\\Caf\xC3\xA9\r\n");
    // C:\日😀 in UTF-16, both byte orders; a lone surrogate and an odd last byte do no harm.
    const std::string le(
        "\xFF\xFE"
        "C\0:\0\\\0\xE5\x65\x3D\xD8\x00\xDE\r\0\n\0",
        18);
    const std::string be("\xFE\xFF\0C\0:\0\\\x65\xE5\xD8\x3D\xDE\x00\0\r\0\n", 18);
    EXPECT_EQ(DecodeFileText(le, kLatin1), "C:\\\xE6\x97\xA5\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(DecodeFileText(be, kLatin1), "C:\\\xE6\x97\xA5\xF0\x9F\x98\x80\r\n");
    EXPECT_EQ(DecodeFileText(std::string("\xFF\xFE\x00\xD8x", 5), kLatin1), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeFileText(kJapaneseEmoji, kLatin1), kJapaneseEmoji);
    // High bytes that are no valid UTF-8 (an overlong form among them) are the code page's.
    EXPECT_EQ(DecodeFileText("C:\\Caf\xE9 \xC0\xAF\r\n", kLatin1),
              "C:\\Caf\xC3\xA9 \xC3\x80\xC2\xAF\r\n");
    EXPECT_EQ(DecodeFileText("C:\\plain\r\n", kLatin1), "C:\\plain\r\n");
}

TEST(TextEncoding, WritesTheAnsiCodePageWhenItHoldsTheTextAndElseUtf8Whole) {
    EXPECT_EQ(EncodeFileText("C:\\Caf\xC3\xA9\r\nC:\\a\r\n", kLatin1), "C:\\Caf\xE9\r\nC:\\a\r\n");
    const std::string mixed = "C:\\Caf\xC3\xA9\r\n" + kJapaneseEmoji;
    EXPECT_EQ(EncodeFileText(mixed, kLatin1), mixed);
    EXPECT_EQ(DecodeFileText(EncodeFileText(mixed, kLatin1), kLatin1), mixed);
    // "Ã©" and "ï»¿n" held by the code page would read back as other text: UTF-8 it is.
    for (const std::string text : {"C:\\\xC3\x83\xC2\xA9\r\n", "\xC3\xAF\xC2\xBB\xC2\xBFn\r\n"}) {
        EXPECT_EQ(EncodeFileText(text, kLatin1), text);
        EXPECT_EQ(DecodeFileText(EncodeFileText(text, kLatin1), kLatin1), text);
    }
}

}  // namespace
}  // namespace vantry
