// Which dropped entries become item paths (which shortcuts are kept as themselves), and the texts
// a drop shows. The platform answers through DropProbe; dropped_paths_win32.cpp reads the drop
// itself.

#include "app/dropped_paths.h"

#include "store/path_helpers.h"

namespace vantry {

namespace {

// A folder as the file manager spells it in any case, with or without its closing "\".
std::string FolderKey(std::string folder) {
    if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    for (char& c : folder) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return folder;
}

}  // namespace

bool KeepsShortcut(const ShortcutLink& link) {
    if (link.runAsAdministrator || link.installer || !link.arguments.empty()) return true;
    if (link.target.empty()) return link.shellItem;
    // A "Start in" of the target's own folder is where the launch starts it anyway.
    std::size_t slash = link.target.rfind('\\');
    std::string targetFolder = slash == std::string::npos ? "" : link.target.substr(0, slash);
    return !link.workingFolder.empty() && FolderKey(link.workingFolder) != FolderKey(targetFolder);
}

std::optional<std::uint32_t> ShellLinkFlags(std::string_view header) {
    // HeaderSize, then LinkCLSID {00021401-0000-0000-C000-000000000046}, then LinkFlags; all
    // little-endian.
    static constexpr unsigned char kStart[20] = {
        0x4C, 0x00, 0x00, 0x00,                          // HeaderSize
        0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,  // LinkCLSID
        0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
    if (header.size() < kShellLinkHeaderSize) return std::nullopt;
    for (std::size_t i = 0; i < sizeof kStart; ++i) {
        if (static_cast<unsigned char>(header[i]) != kStart[i]) return std::nullopt;
    }
    std::uint32_t flags = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        flags |= static_cast<std::uint32_t>(static_cast<unsigned char>(header[20 + i])) << (8 * i);
    }
    return flags;
}

std::string TrimmedNameMessage(const std::string& path) {
    return "\"" + path +
           "\" ends in a dot or a space, which Windows leaves out of a name, so another file "
           "could open in its place. Vantry neither adds nor opens it: rename it, then drop it "
           "again.";
}

std::string FailureMessage(const DropFailure& failure) {
    return std::to_string(failure.code) + " - " + failure.description;
}

std::string PathText(const std::vector<std::string>& paths) {
    std::string text;
    for (const auto& path : paths) text += path + "\r\n";
    return text;
}

DropReading ReadDroppedPaths(const DroppedFiles& drop, DropProbe& probe) {
    DropReading reading;
    if (!drop.hasFileList) {
        reading.messages.push_back({true, kCantGetFilesMessage});
        return reading;
    }
    // A failure ends the reading and takes back what was accepted before it.
    auto fail = [&reading](const DropFailure& failure) {
        reading.paths.clear();
        reading.messages.push_back({false, FailureMessage(failure)});
        return reading;
    };
    for (const auto& entry : drop.entries) {
        if (!entry) {
            reading.messages.push_back({true, kCantGetFilesMessage});
            continue;
        }
        std::string path = *entry;
        if (IsShortcutPath(path)) {
            Probed<ShortcutLink> link = probe.DescribeShortcut(path);
            if (link.failure) return fail(*link.failure);
            if (!KeepsShortcut(link.value)) path = std::move(link.value.target);
        }
        if (path.empty()) continue;
        // Checked before the probe, which would find the other file.
        if (HasTrimmedName(path)) {
            reading.messages.push_back({true, TrimmedNameMessage(path)});
            continue;
        }
        Probed<DropProbe::Kind> kind = probe.Look(path);
        if (kind.failure) return fail(*kind.failure);
        if (kind.value == DropProbe::Kind::File) {
            reading.paths.push_back(std::move(path));
        } else if (kind.value == DropProbe::Kind::Folder) {
            if (path.back() != '\\') path += '\\';
            reading.paths.push_back(std::move(path));
        }
    }
    return reading;
}

std::vector<std::string> TakeDroppedPaths(const DroppedFiles& drop, DropProbe& probe,
                                          UserDialogs& dialogs) {
    DropReading reading = ReadDroppedPaths(drop, probe);
    for (const auto& message : reading.messages) {
        if (message.errorIcon) {
            dialogs.ShowError(message.text);
        } else {
            dialogs.ShowPlain(message.text);
        }
    }
    return reading.paths;
}

}  // namespace vantry
