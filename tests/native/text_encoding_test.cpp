#include "store/text_encoding.h"

#include <gtest/gtest.h>

namespace vantry {
namespace {

// Code page 28591 (Latin-1) stands in for the system's: every byte is a character of its own.
const AnsiCodePage kLatin1{
    [](const std::string& utf8, std::string& bytes) {
        bytes.clear();
        for (std::size_t i = 0; i < utf8.size(); ++i) {
            auto c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80) {
                bytes.push_back(static_cast<char>(c));
            } else if ((c == 0xC2 || c == 0xC3) && i + 1 < utf8.size()) {
                bytes.push_back(static_cast<char>(((c & 0x03) << 6) | (utf8[++i] & 0x3F)));
            } else {
                return false;
            }
        }
        return true;
    },
    [](const std::string& bytes) {
        std::string utf8;
        for (unsigned char c : bytes) {
            if (c < 0x80) {
                utf8.push_back(static_cast<char>(c));
            } else {
                utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
                utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
        return utf8;
    }};

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
