#include "store/item_files.h"

#include "store/text_lines.h"

namespace vantry {

std::string ListFileName(int tab) {
    return "VantryList" + std::to_string(tab) + ".txt";
}

std::optional<std::vector<std::string>> ItemFiles::ReadLines(const std::string& name) {
    if (!folder_.Exists(name)) return std::nullopt;
    std::optional<std::string> content = folder_.Read(name);
    if (!content) return std::nullopt;
    return SplitLines(*content);
}

bool ItemFiles::WriteLines(const std::string& name, std::vector<std::string> lines, bool paths) {
    for (auto& line : lines) {
        std::optional<std::string> storable = folder_.StorableForm(line, paths);
        if (!storable) {
            dialogs_.ShowError("Vantry could not save \"" + name + "\": the text \"" + line +
                               "\" holds characters that this system's code page cannot store."
                               "\n\nThe file was left as it was.");
            return false;
        }
        line = std::move(*storable);
    }
    WriteOutcome outcome = folder_.Replace(name, JoinLines(lines));
    if (!outcome.ok) {
        dialogs_.ShowError("Vantry could not save \"" + name + "\".\n\n" + outcome.reason +
                           "\n\nThe file was left as it was.");
    }
    return outcome.ok;
}

std::optional<std::vector<std::string>> ItemFiles::ReadKept(const std::string& name) {
    auto lines = ReadLines(name);
    if (lines || !folder_.Present(name)) {
        unreadable_.erase(name);
    } else {
        unreadable_.insert(name);
    }
    return lines;
}

bool ItemFiles::Replaceable(const std::string& name) {
    if (!unreadable_.count(name) || ReadKept(name)) return true;
    ReportUnreadable(name, "what it holds");
    return false;
}

std::optional<std::string> ItemFiles::ReadStyleWord() {
    auto lines = ReadKept(kStyleFile);
    if (!lines || lines->empty()) return std::nullopt;
    return lines->front();
}

bool ItemFiles::WriteStyleWord(const std::string& word) {
    return Replaceable(kStyleFile) && WriteLines(kStyleFile, {word}, false);
}

std::optional<std::vector<std::string>> ItemFiles::ReadTabNames() {
    auto lines = ReadKept(kTabsFile);
    if (!lines || lines->empty()) return std::nullopt;
    // There is no sixth tab: lines after the fifth are ignored.
    if (lines->size() > kTabCount) lines->resize(kTabCount);
    return lines;
}

bool ItemFiles::WriteTabNames(const std::array<std::string, kTabCount>& names) {
    return Replaceable(kTabsFile) &&
           WriteLines(kTabsFile, std::vector<std::string>(names.begin(), names.end()), false);
}

std::optional<std::vector<std::string>> ItemFiles::ReadListLines(int tab) {
    return ReadLines(ListFileName(tab));
}

bool ItemFiles::WriteList(int tab, const std::vector<std::string>& paths) {
    return WriteLines(ListFileName(tab), paths, true);
}

bool ItemFiles::ListPresent(int tab) {
    return folder_.Present(ListFileName(tab));
}

void ItemFiles::ReportUnreadableList(int tab) {
    ReportUnreadable(ListFileName(tab), "its items");
}

void ItemFiles::ReportUnreadable(const std::string& name, const std::string& what) {
    dialogs_.ShowError("Vantry could not save \"" + name +
                       "\": the file is there but cannot be read, so " + what +
                       " would be lost.\n\nThe file was left as it was. Close the program that "
                       "holds it and try again.");
}

bool ItemFiles::WriteHandOver(const std::string& path) {
    return WriteLines(kHandOverFile, {path}, true);
}

std::optional<std::string> ItemFiles::ReadHandOver() {
    auto lines = ReadLines(kHandOverFile);
    if (!lines || lines->empty()) return std::nullopt;
    return lines->front();
}

std::optional<std::string> ItemFiles::StorablePath(const std::string& path) {
    std::optional<std::string> storable = folder_.StorableForm(path, true);
    if (!storable) {
        dialogs_.ShowError("Vantry cannot keep \"" + path +
                           "\": its name holds characters that this system's code page cannot "
                           "store, and it has no short name that could stand in for it.");
    }
    return storable;
}

}  // namespace vantry
