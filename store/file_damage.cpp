#include "store/file_damage.h"

#include <map>

#include "store/text_lines.h"

namespace vantry {

namespace {

// The last line when it has no line break after it, or nothing.
std::optional<std::string> OpenLastLine(const std::string& text) {
    if (text.empty() || text.back() == '\r' || text.back() == '\n') return std::nullopt;
    std::size_t start = text.find_last_of("\r\n");
    return text.substr(start == std::string::npos ? 0 : start + 1);
}

bool CutShort(const std::string& text, const std::optional<std::string>& seen, bool unsettled) {
    std::optional<std::string> last = OpenLastLine(text);
    if (!last) return false;
    if (unsettled || last->find('\0') != std::string::npos) return true;
    for (const auto& line : SplitLines(seen.value_or(""))) {
        if (line.size() > last->size() && line.starts_with(*last)) return true;
    }
    return false;
}

}  // namespace

bool LooksUnfinished(const std::string& text) {
    return text.find('\0') != std::string::npos || OpenLastLine(text).has_value();
}

bool IsDamaged(const std::string& text, const std::optional<std::string>& seen, bool unsettled) {
    return unsettled || text.find('\0') != std::string::npos || CutShort(text, seen, false);
}

std::vector<std::string> IntactLines(const std::string& text,
                                     const std::optional<std::string>& seen, bool unsettled) {
    std::string whole = text;
    if (CutShort(text, seen, unsettled)) whole.resize(whole.size() - OpenLastLine(text)->size());
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < whole.size()) {
        std::size_t end = whole.find_first_of("\r\n", start);
        if (end == std::string::npos) end = whole.size();
        std::string line = whole.substr(start, end - start);
        if (line.find('\0') == std::string::npos) lines.push_back(std::move(line));
        start = end + (whole.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

std::vector<std::string> WithAdditions(const std::vector<std::string>& seen,
                                       const std::vector<std::string>& intact) {
    std::map<std::string, int> left;
    for (const auto& line : seen) ++left[line];
    std::vector<std::string> lines = seen;
    for (const auto& line : intact) {
        if (line.empty()) continue;
        if (left[line] > 0) {
            --left[line];
        } else {
            lines.push_back(line);
        }
    }
    return lines;
}

}  // namespace vantry
