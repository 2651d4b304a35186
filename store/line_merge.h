#pragma once
// Three-way merge of the program's line files, for a save that finds the file on disk changed
// since this program last read or wrote it: base is that last version, ours what the program
// now holds, theirs what the disk holds.

#include <optional>
#include <string>
#include <vector>

namespace vantry {

enum class MergeRule {
    // Item paths, one a line; empty lines carry no item. A path either side added is kept, a
    // path either side removed stays removed. The order is ours, then what only theirs added,
    // in theirs' order. A path both added is kept once, or as often as one side holds it.
    kItems,
    // The five tab names, line k for tab k; a missing line is the default name. A tab that only
    // one side renamed takes that name; renamed on both, ours wins.
    kTabNames,
};

// The lines to write, or nothing when ours changes nothing against base: what the disk holds
// then stands as it is (a change made elsewhere, a reorder included, is not undone) and is not
// written again.
std::optional<std::vector<std::string>> MergeLines(MergeRule rule,
                                                   const std::vector<std::string>& base,
                                                   const std::vector<std::string>& ours,
                                                   const std::vector<std::string>& theirs);

}  // namespace vantry
