#include "store/text_lines.h"

namespace vantry {

std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;  // a line has started and has not been ended yet
    for (std::size_t i = 0; i < content.size(); ++i) {
        char c = content[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < content.size() && content[i + 1] == '\n') ++i;
            lines.push_back(std::move(line));
            line.clear();
            open = false;
        } else {
            if (c != '\0') line.push_back(c);
            open = true;
        }
    }
    if (open) lines.push_back(std::move(line));
    return lines;
}

bool HoldsLines(const std::optional<std::string>& content) {
    return content && content->find_first_not_of('\0') != std::string::npos;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines) size += line.size() + 2;
    std::string content;
    content.reserve(size);
    for (const auto& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

}  // namespace vantry
