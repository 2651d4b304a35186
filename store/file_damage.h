#pragma once
// What a read of a list or tab-names file can tell apart: a file at rest, as some writer left it
// on purpose, from one that is damaged (a power cut, a write still under way). Damage is never
// evidence that lines were removed.

#include <optional>
#include <string>
#include <vector>

namespace vantry {

// Damage is any of: a NUL byte (no value holds one: a power cut zeroes a file's tail); content
// that changed between two reads a moment apart (unsettled: a write under way); a last line
// without a line break that is the start of a longer line of the version seen before (a write
// cut short).
bool IsDamaged(const std::string& text, const std::optional<std::string>& seen, bool unsettled);

// Whether text is worth a second read before it is trusted: it holds a NUL byte or its last line
// has no line break.
bool LooksUnfinished(const std::string& text);

// The lines of damaged text that some writer wrote whole: none that holds a NUL byte, and no last
// line that the damage may have cut short.
std::vector<std::string> IntactLines(const std::string& text,
                                     const std::optional<std::string>& seen, bool unsettled);

// What a damaged file stands for in a merge: the version seen before, with the items that only
// the damaged file's intact lines hold added (another writer's additions), and nothing removed.
std::vector<std::string> WithAdditions(const std::vector<std::string>& seen,
                                       const std::vector<std::string>& intact);

}  // namespace vantry
