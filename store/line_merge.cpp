#include "store/line_merge.h"

#include <algorithm>
#include <unordered_map>

#include "store/item_files.h"
#include "store/text_lines.h"

namespace vantry {

namespace {

using Lines = std::vector<std::string>;

// The items as the list reader sees them: a slot just filled by a drop holds a block of paths,
// one a line, and empty lines are skipped.
Lines Items(const Lines& lines) {
    Lines items;
    for (const auto& line : lines) {
        for (auto& item : SplitLines(line)) {
            if (!item.empty()) items.push_back(std::move(item));
        }
    }
    return items;
}

// The five names as the tab reader gives them: lines after the fifth are ignored.
Lines TabNames(const Lines& lines) {
    Lines names = lines;
    names.resize(kTabCount, kDefaultTabName);
    return names;
}

struct Counts {
    int base = 0;
    int ours = 0;
    int theirs = 0;
    int written = 0;
};

Lines MergeItems(const Lines& base, const Lines& ours, const Lines& theirs) {
    std::unordered_map<std::string, Counts> counts;
    for (const auto& item : base) ++counts[item].base;
    for (const auto& item : ours) ++counts[item].ours;
    for (const auto& item : theirs) ++counts[item].theirs;
    // How often a path is kept: a removal on either side wins over the other side's copies;
    // otherwise the side that holds it more often, so that an addition made on both sides is
    // not doubled.
    auto kept = [](const Counts& c) {
        bool removed = c.ours < c.base || c.theirs < c.base;
        return removed ? std::min(c.ours, c.theirs) : std::max(c.ours, c.theirs);
    };
    Lines merged;
    for (const Lines* side : {&ours, &theirs}) {
        for (const auto& item : *side) {
            Counts& c = counts[item];
            if (c.written < kept(c)) {
                merged.push_back(item);
                ++c.written;
            }
        }
    }
    return merged;
}

Lines MergeTabs(const Lines& base, const Lines& ours, const Lines& theirs) {
    Lines merged(kTabCount);
    for (std::size_t k = 0; k < merged.size(); ++k) {
        merged[k] = ours[k] != base[k] ? ours[k] : theirs[k];
    }
    return merged;
}

}  // namespace

std::optional<Lines> MergeLines(MergeRule rule, const Lines& base, const Lines& ours,
                                const Lines& theirs) {
    auto view = rule == MergeRule::kItems ? Items : TabNames;
    Lines baseView = view(base);
    Lines oursView = view(ours);
    if (oursView == baseView) return std::nullopt;
    Lines theirsView = view(theirs);
    if (rule == MergeRule::kItems) return MergeItems(baseView, oursView, theirsView);
    return MergeTabs(baseView, oursView, theirsView);
}

}  // namespace vantry
