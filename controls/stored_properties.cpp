#include "controls/stored_properties.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace vantry {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::optional<double> AsNumber(const StoredValue* value) {
    if (!value) return std::nullopt;
    if (auto* b = std::get_if<bool>(value)) return *b ? -1.0 : 0.0;
    if (auto* i = std::get_if<int32_t>(value)) return *i;
    if (auto* f = std::get_if<float>(value)) return *f;
    return std::nullopt;
}

}  // namespace

void PropertyBag::Write(std::string_view key, StoredValue value) {
    for (auto& entry : entries_) {
        if (SameKey(entry.first, key)) {
            entry.second = std::move(value);
            return;
        }
    }
    entries_.emplace_back(std::string(key), std::move(value));
}

const StoredValue* PropertyBag::Find(std::string_view key) const {
    for (const auto& entry : entries_) {
        if (SameKey(entry.first, key)) return &entry.second;
    }
    return nullptr;
}

bool PropertyBag::ReadBool(std::string_view key, bool fallback) const {
    auto number = AsNumber(Find(key));
    return number ? *number != 0.0 : fallback;
}

int32_t PropertyBag::ReadInt(std::string_view key, int32_t fallback) const {
    auto number = AsNumber(Find(key));
    return number ? static_cast<int32_t>(*number) : fallback;
}

float PropertyBag::ReadFloat(std::string_view key, float fallback) const {
    auto number = AsNumber(Find(key));
    return number ? static_cast<float>(*number) : fallback;
}

std::string PropertyBag::ReadString(std::string_view key, const std::string& fallback) const {
    const StoredValue* value = Find(key);
    if (auto* text = value ? std::get_if<std::string>(value) : nullptr) return *text;
    return fallback;
}

}  // namespace vantry
