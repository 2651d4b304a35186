#include "store/line_merge.h"

#include <gtest/gtest.h>

#include "store/text_lines.h"

namespace vantry {
namespace {

using Lines = std::vector<std::string>;

// The merged file's bytes, or "<theirs stands>" when nothing is to be written.
std::string Merged(MergeRule rule, const Lines& base, const Lines& ours, const Lines& theirs) {
    auto merged = MergeLines(rule, base, ours, theirs);
    return merged ? JoinLines(*merged) : "<theirs stands>";
}

std::string Items(const Lines& base, const Lines& ours, const Lines& theirs) {
    return Merged(MergeRule::kItems, base, ours, theirs);
}

TEST(LineMerge, ItemsAddedOnBothSidesAreKeptOursFirstAndACommonOneOnce) {
    EXPECT_EQ(Items({"A", "B"}, {"A", "B", "C", "X"}, {"D", "A", "X", "B", "E"}),
              "A\r\nB\r\nC\r\nX\r\nD\r\nE\r\n");
    // A path ours already held twice stays twice; one theirs added twice comes twice.
    EXPECT_EQ(Items({}, {"A", "A"}, {"A", "B", "B"}), "A\r\nA\r\nB\r\nB\r\n");
}

TEST(LineMerge, ARemovalOnEitherSideStaysRemovedBesideTheOtherSidesChange) {
    EXPECT_EQ(Items({"A", "B", "C"}, {"A", "C"}, {"A", "B", "C", "D"}), "A\r\nC\r\nD\r\n");
    EXPECT_EQ(Items({"A", "B", "C"}, {"A", "B", "C", "D"}, {"C", "A"}), "A\r\nC\r\nD\r\n");
    // Removed on one side and added again on the other is still removed.
    EXPECT_EQ(Items({"A", "B"}, {"A", "B", "B", "C"}, {"A"}), "A\r\nC\r\n");
}

TEST(LineMerge, AFileEmptiedElsewhereKeepsOnlyWhatOursAdded) {
    EXPECT_EQ(Items({"A", "B"}, {"A", "B", "C"}, {}), "C\r\n");
    EXPECT_EQ(Items({"A", "B"}, {"A"}, {}), "");
}

TEST(LineMerge, OrderIsOursWhenBothMovedItems) {
    EXPECT_EQ(Items({"A", "B", "C"}, {"C", "A", "B"}, {"B", "C", "A", "D"}),
              "C\r\nA\r\nB\r\nD\r\n");
}

TEST(LineMerge, NothingChangedOnOurSideLeavesTheirsAsItIs) {
    EXPECT_EQ(Items({"A", "B"}, {"A", "B"}, {"B", "A"}), "<theirs stands>");
    // As the reader sees them: empty lines and a drop's block of paths count item by item.
    EXPECT_EQ(Items({"A", "", "B"}, {"A\r\nB\r\n"}, {}), "<theirs stands>");
    EXPECT_EQ(Items({"A"}, {"A", "B\r\nC\r\n"}, {"", "A", "D", ""}), "A\r\nB\r\nC\r\nD\r\n");
}

TEST(LineMerge, ATabTakesTheNameOfTheOneSideThatRenamedItAndOursWhenBothDid) {
    const Lines base{"Main |", "Work |", "", "", ""};
    EXPECT_EQ(Merged(MergeRule::kTabNames, base, {"Home |", "Work |", "", "", ""},
                     {"Main |", "Jobs |", "", "Music |", ""}),
              "Home |\r\nJobs |\r\n\r\nMusic |\r\n\r\n");
    EXPECT_EQ(Merged(MergeRule::kTabNames, base, {"Main |", "Ours |", "", "", ""},
                     {"Main |", "Theirs |", "", "", ""}),
              "Main |\r\nOurs |\r\n\r\n\r\n\r\n");
    // A missing line is the default name, as the reader takes it; a sixth is ignored.
    EXPECT_EQ(Merged(MergeRule::kTabNames, {"Main |"}, {"A", "Main |", "", "", ""},
                     {"Main |", "Main |", "", "", "", "extra"}),
              "A\r\nMain |\r\n\r\n\r\n\r\n");
    EXPECT_EQ(Merged(MergeRule::kTabNames, base, base, {"X"}), "<theirs stands>");
}

}  // namespace
}  // namespace vantry
