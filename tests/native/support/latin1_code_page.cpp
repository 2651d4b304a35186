#include "tests/native/support/latin1_code_page.h"

namespace vantry::test {

AnsiCodePage Latin1CodePage() {
    return {[](const std::string& text, std::string& bytes) {
                bytes.clear();
                for (std::size_t i = 0; i < text.size(); ++i) {
                    auto c = static_cast<unsigned char>(text[i]);
                    if (c < 0x80) {
                        bytes.push_back(text[i]);
                    } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
                        bytes.push_back(static_cast<char>(((c & 0x03) << 6) | (text[++i] & 0x3F)));
                    } else {
                        return false;
                    }
                }
                return true;
            },
            [](const std::string& bytes) {
                std::string text;
                for (char b : bytes) {
                    auto c = static_cast<unsigned char>(b);
                    if (c < 0x80) {
                        text.push_back(b);
                    } else {
                        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
                        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
                    }
                }
                return text;
            }};
}

}  // namespace vantry::test
