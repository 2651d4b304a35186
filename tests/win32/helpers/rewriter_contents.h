#pragma once
// The two contents the list rewriter alternates between: different lengths and different lines,
// so that any mix or truncation of the two is told apart from both.

#include <string>

namespace vantry::test {

inline constexpr const char* kRewrittenFile = "VantryList0.txt";

inline std::string RewriterContent(int which) {
    std::string content;
    int lines = which == 0 ? 300 : 170;
    for (int i = 0; i < lines; ++i) {
        content += (which == 0 ? "C:\\alpha\\item " : "D:\\Bravo folder\\other thing ") +
                   std::to_string(i) + ".txt\r\n";
    }
    return content;
}

}  // namespace vantry::test
