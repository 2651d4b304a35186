// Which dropped entries become item paths, and the texts a drop shows. The platform answers
// through DropProbe; dropped_paths_win32.cpp reads the drop itself.

#include "app/dropped_paths.h"

namespace vantry {

namespace {

bool EndsWithLnk(const std::string& path) {
    if (path.size() <= 3) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return tail == ".lnk";
}

}  // namespace

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
        if (EndsWithLnk(path)) {
            Probed<std::string> target = probe.ResolveShortcut(path);
            if (target.failure) return fail(*target.failure);
            path = std::move(target.value);
        }
        if (path.empty()) continue;
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
