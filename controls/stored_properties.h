#pragma once
// The named values a host window keeps per control in its layout data. Keys compare without
// regard to case (layout data written by older versions holds them in lower case); entries keep
// the order they were written in.

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/glow_text.h"

namespace vantry {

using StoredValue = std::variant<bool, int32_t, float, std::string, FontDescription>;

class PropertyBag {
  public:
    // Replaces an entry with the same key (in any case), otherwise appends.
    void Write(std::string_view key, StoredValue value);
    const StoredValue* Find(std::string_view key) const;
    const std::vector<std::pair<std::string, StoredValue>>& Entries() const { return entries_; }

    // The stored value as the asked type, or `fallback` when the key is missing or holds a value
    // that cannot be read as that type. Booleans and numbers convert into one another.
    bool ReadBool(std::string_view key, bool fallback) const;
    int32_t ReadInt(std::string_view key, int32_t fallback) const;
    float ReadFloat(std::string_view key, float fallback) const;
    std::string ReadString(std::string_view key, const std::string& fallback) const;

  private:
    std::vector<std::pair<std::string, StoredValue>> entries_;
};

}  // namespace vantry
