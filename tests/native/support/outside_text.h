#pragma once
// The texts of the store's search test and the forms outside writers store them in: item paths
// that stress the encodings, and the bytes an editor or sync client leaves for lines.

#include <cstdint>
#include <string>
#include <vector>

namespace vantry::test {

using Lines = std::vector<std::string>;

// Item k's path: plain, Latin-1, beyond Latin-1, starting like a UTF-16 mark in Latin-1, or
// starting with U+FEFF.
std::string ItemText(int k);

// How an outside writer stores its text, chosen from how once for a whole write; a form that
// would read as other text by the documented rules falls back to UTF-8 with a mark.
enum Form { kMarkUtf8, kUtf8, kUtf16Le, kUtf16Be, kLatin1, kMarkLatin1 };
Form Choose(const std::string& text, std::uint32_t how);
std::string Bytes(const std::string& text, Form form);
// The lines as text, with the line end (CR LF or LF) how gives.
std::string Text(const Lines& lines, std::uint32_t how, bool lastBreak);
// The whole bytes: Text (the last line break as how gives) in the form Choose gives.
std::string Encode(const Lines& lines, std::uint32_t how);

// Bytes with everything but printable ASCII as \xNN.
std::string Printable(const std::string& bytes);

}  // namespace vantry::test
