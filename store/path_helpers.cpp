#include "store/path_helpers.h"

namespace vantry {

namespace {

constexpr std::size_t kMaxCaptionBytes = 260;

// Whether text holds "no file" in any letter case, without copying it.
bool ContainsNoFile(const std::string& text) {
    static constexpr char kNeedle[] = "no file";
    constexpr std::size_t kLength = sizeof kNeedle - 1;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t start = 0; start + kLength <= text.size(); ++start) {
        std::size_t i = 0;
        while (i < kLength && lower(text[start + i]) == kNeedle[i]) ++i;
        if (i == kLength) return true;
    }
    return false;
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

std::string DisplayName(const std::string& path) {
    if (ContainsNoFile(path)) return "";
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

std::string FolderName(const std::string& path) {
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
