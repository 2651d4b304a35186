#include "app/drop_intake.h"

#include "store/path_helpers.h"

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

DropIntake::Outcome DropIntake::Drop(const DroppedFiles& drop, DropProbe& probe) {
    auto scope = window_.Guard().TryEnter();
    if (!scope) return Outcome::Ignored;

    DropReading reading = ReadDroppedPaths(drop, probe);
    for (const auto& message : reading.messages) {
        if (message.errorIcon) {
            dialogs_.ShowError(message.text);
        } else {
            dialogs_.ShowPlain(message.text);
        }
    }
    if (reading.paths.empty()) return Outcome::Nothing;

    for (int slot = 0; slot < kSlotCount; ++slot) {
        for (ListWindow* window : {&window_.Large(), &window_.Small()}) {
            if (window->View().Visible() && !window->Model().Occupied(slot)) {
                bool saved = Add(*window, slot, reading.paths);
                window_.App().PumpMessages();
                // A failed save has told the user; the source is not told the items were copied.
                return saved ? Outcome::Added : Outcome::Nothing;
            }
        }
    }
    return Outcome::Nothing;
}

bool DropIntake::Add(ListWindow& window, int slot, const std::vector<std::string>& paths) {
    ListModel& model = window.Model();
    // The slot holds the whole path text until the reload splits it into items. Its caption
    // only lasts until then, but an empty one would mark the slot free and the save would leave
    // the drop out, so it is the first path's item caption, which is never empty.
    model.AddItem(slot, PathText(paths), ItemCaption(paths.front()));
    bool saved = model.SaveListFile();
    window_.App().PumpMessages();
    model.ResetDWM();
    window_.App().PumpMessages();
    model.LoadListfile();
    return saved;
}

}  // namespace vantry
