#include "store/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace vantry {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

std::uint8_t Byte(const std::string& bytes, std::size_t i) {
    return static_cast<std::uint8_t>(bytes[i]);
}

// The length of the well-formed UTF-8 sequence at i (no overlong form, no surrogate, nothing
// beyond U+10FFFF), or 0.
std::size_t SequenceLength(const std::string& bytes, std::size_t i) {
    std::uint8_t lead = Byte(bytes, i);
    if (lead < 0x80) return 1;
    std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                         : lead >= 0xE0 && lead <= 0xEF ? 3
                         : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > bytes.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((Byte(bytes, i + k) & 0xC0) != 0x80) return 0;
    }
    std::uint8_t second = Byte(bytes, i + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
        return 0;
    }
    return length;
}

bool IsUtf8(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = SequenceLength(bytes, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// Whether the bytes are valid UTF-8 with at least one multi-byte sequence: plain ASCII reads the
// same in every code page, and text in a single-byte code page is almost never valid UTF-8.
bool IsMultiByteUtf8(const std::string& bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = SequenceLength(bytes, i);
        if (length == 0) return false;
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

void AppendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (c >> 18)));
        text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// UTF-16 after its mark. A lone surrogate becomes U+FFFD; an odd last byte is dropped.
std::string FromUtf16(const std::string& bytes, bool bigEndian) {
    auto unit = [&](std::size_t i) -> char32_t {
        std::uint8_t first = Byte(bytes, i);
        std::uint8_t second = Byte(bytes, i + 1);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    std::string text;
    text.reserve(bytes.size());
    const std::size_t end = bytes.size() & ~std::size_t{1};
    for (std::size_t i = 2; i < end; i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 2 < end) {
            char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(text, 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(text, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
    }
    return text;
}

// UTF-8 after its mark, line by line: a line that is not valid UTF-8 was written by a program
// that put the mark before ANSI bytes, and reads as the ANSI code page, so the path it holds still
// names the same file.
std::string FromMarkedUtf8(std::string_view bytes, const AnsiCodePage& ansi) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        std::size_t end = bytes.find_first_of("\r\n");
        end = end == std::string_view::npos ? bytes.size() : end + 1;
        std::string line(bytes.substr(0, end));
        text += IsUtf8(line) ? line : ansi.decode(line);
        bytes.remove_prefix(end);
    }
    return text;
}

// The bytes that tell a file's encoding: those before a NUL byte (a power cut's zeroed tail may
// begin inside a character), without a character cut short at the end (a write under way).
std::string Undamaged(const std::string& bytes) {
    std::size_t size = std::min(bytes.find('\0'), bytes.size());
    for (std::size_t back = 1; back <= 3 && back <= size; ++back) {
        std::uint8_t lead = Byte(bytes, size - back);
        if ((lead & 0xC0) == 0x80) continue;  // a continuation byte: the lead is further back
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
        if (length > back) size -= back;
        break;
    }
    return bytes.substr(0, size);
}

}  // namespace

std::string DecodeFileText(const std::string& bytes, const AnsiCodePage& ansi) {
    std::string_view view(bytes);
    if (view.starts_with(kUtf8Mark)) return FromMarkedUtf8(view.substr(kUtf8Mark.size()), ansi);
    if (view.starts_with(kUtf16LeMark)) return FromUtf16(bytes, false);
    if (view.starts_with(kUtf16BeMark)) return FromUtf16(bytes, true);
    if (IsMultiByteUtf8(Undamaged(bytes))) return bytes;
    return ansi.decode(bytes);
}

std::string EncodeFileText(const std::string& text, const AnsiCodePage& ansi) {
    std::string bytes;
    // ANSI bytes that happen to be valid UTF-8 or to start like a mark ("Ã©", "ÿþ" in code page
    // 1252) would be read back as other text: such a file is written as UTF-8.
    if (ansi.encode(text, bytes) && DecodeFileText(bytes, ansi) == text) return bytes;
    // A first line that begins with U+FEFF keeps it behind a mark of its own.
    if (text.starts_with(kUtf8Mark)) return std::string(kUtf8Mark) + text;
    return text;
}

}  // namespace vantry
