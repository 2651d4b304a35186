#include "app/taskbar/tab_shortcut.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace vantry {

std::string ShortcutFileName(int k, const std::string& tabName) {
    std::string kept;
    for (char c : tabName) {
        bool control = static_cast<unsigned char>(c) < 0x20;
        if (!control && !std::strchr("\\/:*?\"<>|", c)) kept += c;
    }
    std::size_t first = kept.find_first_not_of(' ');
    std::size_t last = kept.find_last_not_of(' ');
    kept = first == std::string::npos ? std::string() : kept.substr(first, last - first + 1);
    std::string name = "Vantry " + std::to_string(k + 1);
    return (kept.empty() ? name : name + " - " + kept) + ".lnk";
}

std::string TabIconFileName(int k) {
    return "VantryTab" + std::to_string(k + 1) + ".ico";
}

std::string TabAppId(const std::string& folderKey, int k) {
    // The key is a path of any length: the ID holds its 64-bit FNV-1a hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : folderKey) hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof(hex), "%016llx", static_cast<unsigned long long>(hash));
    return "Vantry.Folder" + std::string(hex) + ".Tab" + std::to_string(k + 1);
}

std::string QuotedArgument(const std::string& argument) {
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            quoted += c;
            continue;
        }
        // Backslashes before a quote are escapes: doubled, then the quote escaped too.
        if (c == '"') quoted.append(backslashes + 1, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

std::string TabArguments(int k) {
    return "/tab " + std::to_string(k + 1);
}

std::string OpenArguments(int k, const std::string& path) {
    return "/open " + std::to_string(k + 1) + " " + QuotedArgument(path);
}

}  // namespace vantry
