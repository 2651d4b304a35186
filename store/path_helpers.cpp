#include "store/path_helpers.h"

#include <algorithm>
#include <cctype>

namespace vantry {

namespace {

constexpr std::size_t kMaxCaptionBytes = 260;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Text without its last character (a whole UTF-8 sequence, not a byte of one).
std::string DropLastCharacter(const std::string& text) {
    std::size_t end = text.size();
    if (end == 0) return text;
    --end;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// Cuts UTF-8 text to at most maxBytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

std::string DisplayName(std::string path) {
    if (Lower(path).find("no file") != std::string::npos) return "";
    std::size_t length = path.size();
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        if (length > 3) return FolderName(path);
        return DropLastCharacter(path);
    }
    // The last character is not examined, so a folder's closing "\" is passed over.
    std::size_t slash = length >= 2 ? path.rfind('\\', length - 2) : std::string::npos;
    std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (dot >= start) return path.substr(start, dot - start);
    // The last dot lies in an earlier folder name (C:\Old.Tools\tool): the name as it stands.
    return LastName(path);
}

std::string FolderName(std::string path) {
    std::string trimmed = DropLastCharacter(path);
    std::size_t slash = trimmed.rfind('\\');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string LastName(const std::string& path) {
    std::string trimmed = path;
    if (trimmed.size() > 1 && trimmed.back() == '\\') trimmed.pop_back();
    std::size_t slash = trimmed.rfind('\\');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string ItemCaption(const std::string& path) {
    std::string caption = DisplayName(path);
    if (caption.empty()) caption = LastName(path);
    if (caption.empty()) caption = path;
    return CutUtf8(caption, kMaxCaptionBytes);
}

}  // namespace vantry
