#pragma once
// The line format of the program's files: one value a line, CR LF after every line.

#include <optional>
#include <string>
#include <vector>

namespace vantry {

// Splits file content into lines. CR LF, a lone CR and a lone LF each end a line; a last line
// without an ending is a line like any other. NUL bytes, which no value can hold (a power cut
// can leave a file full of them), are dropped.
std::vector<std::string> SplitLines(const std::string& content);

// Whether content holds anything but NUL bytes. A file that does not (empty, or zeroed by a power
// cut) or is absent holds no line at all.
bool HoldsLines(const std::optional<std::string>& content);

// Each value followed by CR LF, the last included.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace vantry
