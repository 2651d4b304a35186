#include "store/program_folder.h"

#include <string_view>

namespace vantry {

namespace {

constexpr std::string_view kDigits = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kTemporaryEnd = ".tmp";
constexpr std::size_t kNameDigits = 3;
constexpr std::size_t kTokenDigits = 7;

std::string Base36(std::uint64_t value, std::size_t digits) {
    std::string text(digits, '0');
    for (std::size_t i = digits; i-- > 0; value /= kDigits.size()) {
        text[i] = kDigits[value % kDigits.size()];
    }
    return text;
}

// Three digits for the name (FNV-1a, case-blind as the file systems are): two files sharing them
// only sweep each other's leftovers, which under the turn are dead writers' anyway.
std::string NameTag(const std::string& name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : name) {
        hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        hash *= 1099511628211ull;
    }
    return Base36(hash, kNameDigits);
}

}  // namespace

std::string TemporaryName(const std::string& name, std::uint64_t token) {
    return TemporaryPrefix(name) + Base36(token, kTokenDigits) + std::string(kTemporaryEnd);
}

std::string TemporaryPrefix(const std::string& name) {
    return std::string(kTemporaryStart) + NameTag(name);
}

bool IsTemporary(const std::string& file) {
    std::string_view view(file);
    const std::string_view start(kTemporaryStart);
    if (view.size() != start.size() + kNameDigits + kTokenDigits + kTemporaryEnd.size() ||
        !view.starts_with(start) || !view.ends_with(kTemporaryEnd)) {
        return false;
    }
    std::string_view digits = view.substr(start.size(), kNameDigits + kTokenDigits);
    return digits.find_first_not_of(kDigits) == std::string_view::npos;
}

bool IsTemporaryFor(const std::string& name, const std::string& file) {
    return IsTemporary(file) && file.starts_with(TemporaryPrefix(name));
}

}  // namespace vantry
