#pragma once
// In-memory stand-ins for the program folder, the message boxes and a list window's view.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/list/list_model.h"
#include "platform/user_dialogs.h"
#include "store/program_folder.h"

namespace vantry::test {

class FakeFolder : public ProgramFolder {
  public:
    bool Exists(const std::string& name) override {
        return files.count(name) != 0 && unreadable.count(name) == 0;
    }
    bool Present(const std::string& name) override { return files.count(name) != 0; }
    std::optional<std::string> Read(const std::string& name) override {
        if (!Exists(name)) return std::nullopt;
        return files[name];
    }
    WriteOutcome Replace(const std::string& name, const std::string& content) override {
        ++writes[name];
        if (failWrites) return {false, "Access is denied."};
        files[name] = content;
        return {};
    }
    std::unique_ptr<SaveTurn> TakeSaveTurn(TurnRefusal& refused) override {
        if (readOnly) {
            refused = {"Access is denied.", true};
            return nullptr;
        }
        if (turnTaken) {
            refused.reason =
                "The process cannot access the file because it is being used by another "
                "process.";
            return nullptr;
        }
        return std::make_unique<SaveTurn>();
    }
    void Pause(unsigned) override {}

    std::map<std::string, std::string> files;
    std::map<std::string, int> writes;
    std::set<std::string> unreadable;
    bool failWrites = false;
    bool turnTaken = false;  // another writer holds the save turn
    bool readOnly = false;   // no file can be made in the folder
};

class RecordingDialogs : public UserDialogs {
  public:
    void ShowError(const std::string& text) override { errors.push_back(text); }
    void ShowPlain(const std::string& text) override { plain.push_back(text); }
    bool AskYesNo(const std::string& text) override {
        questions.push_back(text);
        return answerYes;
    }

    std::vector<std::string> errors;
    std::vector<std::string> plain;
    std::vector<std::string> questions;
    bool answerYes = true;
};

class RecordingListView : public ListView {
  public:
    void ShowCaption(int slot, const std::string& caption) override {
        captions[static_cast<std::size_t>(slot)] = caption;
    }
    void ShowIcon(int slot, const std::string& path) override {
        icons[static_cast<std::size_t>(slot)] = path;
        if (!path.empty()) iconOrder.push_back(slot);
    }
    void PumpMessages() override {
        ++pumps;
        if (onPump) onPump();
    }
    void ShowEmptyHint(bool shown) override { hint = shown; }
    void ShowTargetMissing(int, bool) override {}
    void ShiftSlots(int from, int to) override {
        RotateSlots(captions, from, to);
        RotateSlots(icons, from, to);
    }

    std::array<std::string, kSlotCount> captions;
    std::array<std::string, kSlotCount> icons;
    std::vector<int> iconOrder;
    int pumps = 0;
    bool hint = false;
    std::function<void()> onPump;  // what happens elsewhere while messages are processed
};

}  // namespace vantry::test
