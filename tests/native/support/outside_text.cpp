#include "tests/native/support/outside_text.h"

#include <cstdio>

#include "tests/native/support/sim_folder.h"

namespace vantry::test {

namespace {

bool Latin1(const std::string& text) {
    std::string bytes;
    return Latin1CodePage().encode(text, bytes);
}

std::string Latin1Bytes(const std::string& text) {
    std::string bytes;
    Latin1CodePage().encode(text, bytes);
    return bytes;
}

std::string Utf16(const std::string& text, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    auto unit = [&](char32_t u) {
        char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    };
    for (std::size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
        i += static_cast<std::size_t>(length);
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
    }
    return out;
}

}  // namespace

// Item texts that stress the encodings: Latin-1, beyond it, bytes that start like a UTF-16 mark
// in Latin-1, a first line that starts with U+FEFF.
std::string ItemText(int k) {
    const std::string n = std::to_string(k);
    switch (k % 6) {
        case 0:
            return "C:\\Apps\\tool" + n + ".exe";
        case 1:
            return "C:\\Caf\xC3\xA9\\m" + n + ".txt";
        case 2:
            return "D:\\\xE5\x86\x99\xE7\x9C\x9F\\" + n + ".jpg";
        case 3:
            return "\xC3\xBF\xC3\xBE"
                   "C:\\x" +
                   n;
        case 4:
            return "\xEF\xBB\xBF"
                   "C:\\bom" +
                   n;
        default:
            return "E:\\a b, \"c\" " + n;
    }
}

Form Choose(const std::string& text, std::uint32_t how) {
    const bool latin1 = Latin1(text);
    switch (how % 6) {
        case kUtf8:
            if (!text.starts_with("\xEF\xBB\xBF")) return kUtf8;
            break;
        case kUtf16Le:
            return kUtf16Le;
        case kUtf16Be:
            return kUtf16Be;
        case kLatin1:
            // Mark-less Latin-1 that is also valid UTF-8 reads as UTF-8: out of scope, as are
            // Latin-1 bytes that start like a UTF-16 mark.
            if (latin1 && text.find("\xC3\xBF") == std::string::npos) return kLatin1;
            break;
        case kMarkLatin1:
            if (latin1) return kMarkLatin1;
            break;
        default:
            break;
    }
    return kMarkUtf8;
}

std::string Bytes(const std::string& text, Form form) {
    switch (form) {
        case kUtf8:
            return text;
        case kUtf16Le:
            return Utf16(text, false);
        case kUtf16Be:
            return Utf16(text, true);
        case kLatin1:
            return Latin1Bytes(text);
        case kMarkLatin1:
            return "\xEF\xBB\xBF" + Latin1Bytes(text);
        default:
            return "\xEF\xBB\xBF" + text;
    }
}

// The lines as text, with the line end and last line break how gives.
std::string Text(const Lines& lines, std::uint32_t how, bool lastBreak) {
    std::string text;
    const char* end = how & 8 ? "\n" : "\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        text += lines[i];
        if (i + 1 < lines.size() || lastBreak) text += end;
    }
    return text;
}

std::string Encode(const Lines& lines, std::uint32_t how) {
    const std::string text = Text(lines, how, !(how & 16));
    return Bytes(text, Choose(text, how));
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F) {
            out += c;
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", u);
            out += hex;
        }
    }
    return out;
}

}  // namespace vantry::test
