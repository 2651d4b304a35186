#pragma once
// What the windows and the layout figures know of a list window without including it: how many
// item slots it has and the words that name its two styles.

namespace vantry {

inline constexpr int kSlotCount = 20;
inline constexpr const char* kLargeStyle = "large";
inline constexpr const char* kSmallStyle = "small";

}  // namespace vantry
