#pragma once
// The encodings the program's files come in. Editors leave a byte-order mark (UTF-8, UTF-16),
// UTF-8 without one (Notepad's default today), or the system's ANSI code page, which is what
// earlier versions of this program wrote. Files are written in the ANSI code page whenever it
// holds their text exactly, so that those versions still read them, and as UTF-8 without a mark
// otherwise (a name in another script, an emoji), whole.

#include <functional>
#include <string>

namespace vantry {

// The system's ANSI code page, as the platform converts it.
struct AnsiCodePage {
    // The bytes of UTF-8 text, or false when a character has no exact form there.
    std::function<bool(const std::string& utf8, std::string& bytes)> encode;
    std::function<std::string(const std::string& bytes)> decode;
};

// A file's bytes as UTF-8 text. A UTF-8 or UTF-16 (LE or BE) mark decides, and is dropped; without
// one, valid UTF-8 that holds a multi-byte sequence is UTF-8; anything else is the ANSI code page.
// After a UTF-8 mark, a line that is not valid UTF-8 is read in the ANSI code page. Damage does not
// decide: what follows a NUL byte, and a character cut short at the end, are not looked at.
std::string DecodeFileText(const std::string& bytes, const AnsiCodePage& ansi);

// The bytes that store text: the ANSI code page when it holds the text exactly and those bytes
// read back as the same text, otherwise UTF-8, without a mark unless the text itself begins with
// U+FEFF.
std::string EncodeFileText(const std::string& text, const AnsiCodePage& ansi);

}  // namespace vantry
