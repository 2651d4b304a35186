#pragma once
// A world of actors around one program folder, for the store's search test: copies of the
// program (the real ItemFiles and ListModel over a SimFolder), editors, sync clients, power cuts
// and a person, acting in the order and at the times a history gives. Run tells the first broken
// rule it meets, checked after every save and at the quiet point that ends the history.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace vantry::test {

enum Actor : int { kCopyA, kCopyB, kEditor, kSync, kPower, kPerson, kActorCount };

// One thing an actor does, a pause after the step before it. What the numbers mean depends on
// the actor (store_world.cpp); any values are valid.
struct Step {
    int actor = 0;
    int action = 0;
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::uint32_t c = 0;
    unsigned pause = 0;  // milliseconds after the previous step began
};

using History = std::vector<Step>;

// The broken rule, "(a) ..." to "(f) ...", or nothing.
std::optional<std::string> RunHistory(const History& history);

}  // namespace vantry::test
