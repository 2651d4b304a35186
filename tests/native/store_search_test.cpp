// The store searched at random: histories of copies of the program, editors, sync clients,
// power cuts and a person deleting a file, run against the real store code over a simulated
// folder (tests/native/support/store_world.h). A fixed list of seeds runs in every suite;
// VANTRY_SEARCH_SEEDS=<count> (0 for no end) runs that many more from VANTRY_SEARCH_FROM.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>

#include "tests/native/support/store_world.h"

namespace vantry::test {
namespace {

constexpr std::uint64_t kFixedSeeds = 3000;

// A random history of the seed: 6 to 35 steps by six actors.
History MakeHistory(std::uint64_t seed) {
    std::mt19937_64 random(seed);
    History history;
    // Both copies start first, from a file an editor may have written.
    const int steps = 6 + static_cast<int>(random() % 30);
    for (int i = 0; i < steps; ++i) {
        Step step;
        const auto pick = random() % 20;
        step.actor = pick < 11   ? static_cast<int>(pick % 2)
                     : pick < 15 ? kEditor
                     : pick < 17 ? kSync
                     : pick < 19 ? kPower
                                 : kPerson;
        step.action = static_cast<int>(random() % 6);
        if (step.actor == kEditor) step.action %= 4;
        step.a = static_cast<std::uint32_t>(random());
        step.b = static_cast<std::uint32_t>(random());
        step.c = static_cast<std::uint32_t>(random());
        step.pause = static_cast<unsigned>(random() % 4 == 0 ? random() % 600 : random() % 30);
        history.push_back(step);
    }
    return history;
}

// The fewest steps of the history that still break a rule of the same letter.
History Shrink(const History& history, const std::string& fault) {
    History shortest = history;
    for (bool shorter = true; shorter;) {
        shorter = false;
        for (std::size_t i = shortest.size(); i-- > 0;) {
            History tried = shortest;
            tried.erase(tried.begin() + static_cast<long>(i));
            auto found = RunHistory(tried);
            if (found && found->substr(0, 3) == fault.substr(0, 3)) {
                shortest = std::move(tried);
                shorter = true;
            }
        }
    }
    return shortest;
}

std::string Describe(const History& history) {
    static const char* const kNames[] = {"CopyA", "CopyB", "Editor", "Sync", "Power", "Person"};
    std::ostringstream out;
    for (const Step& s : history) {
        out << "    {k" << kNames[s.actor] << ", " << s.action << ", " << s.a << "u, " << s.b
            << "u, " << s.c << "u, " << s.pause << "},\n";
    }
    return out.str();
}

// Runs the seeds' histories; a failing seed's is printed shrunk, in the form the regression cases
// below take. The first three failures end the search.
void Search(std::uint64_t from, std::uint64_t count) {
    int failures = 0;
    for (std::uint64_t seed = from; count == 0 || seed < from + count; ++seed) {
        if (count != kFixedSeeds && (seed - from) % 10000 == 0) {
            std::printf("%llu histories run\n", static_cast<unsigned long long>(seed - from));
            std::fflush(stdout);
        }
        const History history = MakeHistory(seed);
        if (auto fault = RunHistory(history)) {
            const History shortest = Shrink(history, *fault);
            ADD_FAILURE() << "seed " << seed << ": " << *RunHistory(shortest) << "\n"
                          << Describe(shortest);
            if (++failures == 3) return;
        }
    }
}

// Each fault the search found, as the shrunk history that showed it.
struct Found {
    const char* fault;
    History history;
};

const Found kFound[] = {
    // A failed save's message box was shown while the save turn was held: every other writer's
    // save failed until it was closed.
    {"message box in the turn",
     {{kCopyB, 1, 1826369075u, 2867494300u, 1632560093u, 5},
      {kCopyB, 1, 30892446u, 120820264u, 607231500u, 11}}},
    // Three items seen; a power cut zeroes the tail after the first line; one item is deleted
    // here: the zeroed lines counted as deleted elsewhere.
    {"zeroed tail taken for deletions",
     {{kEditor, 0, 0u, 1u, 0u, 0},
      {kEditor, 0, 0u, 1u, 0u, 10},
      {kEditor, 0, 0u, 1u, 0u, 10},
      {kCopyA, 0, 0u, 0u, 2u, 10},
      {kPower, 0, 0u, 1u, 17u, 10},
      {kCopyA, 2, 1u, 0u, 2u, 10}}},
    // A load met an editor's write under way and took the cut-off line for an item.
    {"fragment of a write under way",
     {{kCopyA, 2, 2910172164u, 3646645481u, 645289868u, 28},
      {kCopyA, 1, 3537266181u, 1483808140u, 1832448117u, 6},
      {kEditor, 0, 1305348295u, 3477286578u, 2516109430u, 355},
      {kCopyA, 2, 297132743u, 2400480193u, 2926013507u, 0}}},
    // Latin-1 bytes after a UTF-8 mark passed through as they were, and were written back raw.
    {"bytes after a mark not UTF-8",
     {{kCopyA, 4, 2317013838u, 1295391061u, 2625589116u, 144},
      {kCopyA, 1, 196951883u, 1620096070u, 1550356952u, 9},
      {kEditor, 0, 4232091762u, 761326625u, 4182201639u, 14},
      {kCopyA, 1, 1368664151u, 359679498u, 3568806652u, 167}}},
    // "\xFF\xFE" after a UTF-8 mark, written back so that it read as UTF-16.
    {"mark then FF FE",
     {{kCopyB, 0, 262385864u, 358025077u, 3707701998u, 16},
      {kEditor, 2, 2467188826u, 3811071674u, 506716641u, 18},
      {kCopyB, 1, 1399134186u, 328064542u, 2125683563u, 21},
      {kEditor, 0, 521257575u, 615647955u, 4032060765u, 12},
      {kEditor, 0, 1033116748u, 1525309945u, 2937022039u, 13},
      {kCopyB, 4, 2949997551u, 3544205289u, 4162855567u, 15},
      {kEditor, 0, 2985033034u, 800320445u, 2708146851u, 23}}},
    // A first line beginning with U+FEFF lost it on the way back.
    {"U+FEFF first",
     {{kEditor, 0, 2368128692u, 2886680791u, 2563423629u, 83},
      {kPerson, 2, 3390709226u, 42377042u, 939777220u, 14},
      {kCopyA, 4, 2931153733u, 2225581680u, 774160950u, 19},
      {kEditor, 0, 2258968255u, 3478177147u, 1348266541u, 15},
      {kEditor, 3, 2926234701u, 2564621057u, 3516160591u, 27},
      {kCopyA, 4, 3763982486u, 3357792337u, 93658194u, 9},
      {kCopyA, 1, 3595321119u, 1993486643u, 4239344887u, 5}}},
    // Found by the search: a power cut's NUL bytes, or a write's end, inside a character of a
    // mark-less UTF-8 file made the whole file read as ANSI, every other line garbled.
    {"zeroed tail inside a UTF-8 character",
     {{kEditor, 2, 1643434369u, 2676140366u, 3844889081u, 7},
      {kEditor, 0, 3441704120u, 2807302489u, 1305750720u, 27},
      {kPower, 1, 817165604u, 2934181395u, 1409978414u, 322},
      {kSync, 1, 3004035885u, 569217157u, 4000696698u, 7},
      {kEditor, 0, 1039715252u, 3851617963u, 2718169460u, 28},
      {kPower, 1, 3489624059u, 2884939726u, 669439043u, 5}}},
    // A tab-names file of NUL bytes read as one empty name: the first tab counted as free.
    {"tab names all NUL", {{kEditor, 3, 1u, 0u, 0u, 0}, {kPower, 1, 0u, 1u, 0u, 10}}},
};

TEST(StoreSearch, FoundFaultsStayMended) {
    for (const Found& found : kFound) {
        EXPECT_EQ(RunHistory(found.history), std::nullopt) << found.fault << "\n"
                                                           << Describe(found.history);
    }
}

TEST(StoreSearch, FixedSeeds) {
    Search(1, kFixedSeeds);
}

TEST(StoreSearch, NewSeedsFromTheEnvironment) {
    const char* count = std::getenv("VANTRY_SEARCH_SEEDS");
    if (!count) GTEST_SKIP() << "VANTRY_SEARCH_SEEDS is not set";
    const char* from = std::getenv("VANTRY_SEARCH_FROM");
    Search(from ? std::strtoull(from, nullptr, 10) : 1000000, std::strtoull(count, nullptr, 10));
}

}  // namespace
}  // namespace vantry::test
