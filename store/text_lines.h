#pragma once
// The line format of the program's files: one value a line, CR LF after every line.

#include <string>
#include <vector>

namespace vantry {

// Splits file content into lines. CR LF, a lone CR and a lone LF each end a line; a last line
// without an ending is a line like any other. NUL bytes, which no value can hold (a power cut
// can leave a file full of them), are dropped.
std::vector<std::string> SplitLines(const std::string& content);

// Each value followed by CR LF, the last included.
std::string JoinLines(const std::vector<std::string>& lines);

}  // namespace vantry
