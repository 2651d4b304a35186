#include "tests/native/support/sim_folder.h"

#include <exception>

namespace vantry::test {

namespace {

class SimTurn : public FileTurn {
  public:
    explicit SimTurn(SimDisk& disk) : disk_(disk), abandoned_(disk.turnAbandoned) {
        disk_.turnHeld = disk_.turnAbandoned = true;
        ++disk_.turnsTaken;
    }
    // A kill unwinds through here: its turn stays abandoned, as its file stays on a disk.
    ~SimTurn() override {
        disk_.turnHeld = false;
        if (!leaveAbandoned_ && std::uncaught_exceptions() == 0) disk_.turnAbandoned = false;
    }
    bool Abandoned() const override { return abandoned_; }
    void LeaveAbandoned() override { leaveAbandoned_ = true; }

  private:
    SimDisk& disk_;
    bool abandoned_;
    bool leaveAbandoned_ = false;
};

class SimNewFile : public NewFile {
  public:
    SimNewFile(SimDisk& disk, std::string name, std::function<bool()> call)
        : disk_(disk), name_(std::move(name)), call_(std::move(call)) {}
    FileCall Write(const std::string& bytes) override {
        if (call_()) return {FileCall::Status::kFailed, "There is not enough space on the disk."};
        // A write that fails half way leaves half of it.
        disk_.files[name_].bytes += bytes;
        return {};
    }
    FileCall FlushAndClose() override {
        if (call_()) return {FileCall::Status::kFailed, "The request could not be performed."};
        disk_.files[name_].durable = true;
        return {};
    }

  private:
    SimDisk& disk_;
    std::string name_;
    std::function<bool()> call_;
};

}  // namespace

bool SimFolder::Call() {
    ++calls;
    if (calls == killAt) throw Killed{};
    return failAt > 0 && calls >= failAt && calls < failAt + failCalls;
}

bool SimFolder::Readable(const std::string& name) {
    Call();
    return disk_.files.count(name) != 0;
}

bool SimFolder::IsFile(const std::string& name) {
    Call();
    return disk_.files.count(name) != 0;
}

std::optional<std::string> SimFolder::ReadBytes(const std::string& name) {
    Call();
    auto file = disk_.files.find(name);
    if (file == disk_.files.end()) return std::nullopt;
    return file->second.bytes;
}

FileCall SimFolder::CreateNew(const std::string& name, std::unique_ptr<NewFile>& file) {
    if (Call()) return {FileCall::Status::kFailed, "Access is denied."};
    if (disk_.files.count(name)) return {FileCall::Status::kExists, "The file exists."};
    disk_.files[name] = {};
    file = std::make_unique<SimNewFile>(disk_, name, [this] { return Call(); });
    return {};
}

FileCall SimFolder::RenameReplacing(const std::string& from, const std::string& to) {
    if (Call()) return {FileCall::Status::kFailed, "Access is denied."};
    auto file = disk_.files.find(from);
    if (file == disk_.files.end()) return {FileCall::Status::kFailed, "The file is gone."};
    disk_.files[to] = std::move(file->second);
    disk_.files.erase(from);
    if (disk_.renamed) disk_.renamed(to);
    return {};
}

bool SimFolder::Delete(const std::string& name) {
    if (Call()) return false;
    disk_.files.erase(name);
    return true;
}

std::vector<std::string> SimFolder::NamesStartingWith(const std::string& prefix) {
    Call();
    std::vector<std::string> names;
    for (const auto& [name, file] : disk_.files) {
        if (name.starts_with(prefix)) names.push_back(name);
    }
    return names;
}

FileCall SimFolder::TryTakeTurn(std::unique_ptr<FileTurn>& turn) {
    if (Call()) return {FileCall::Status::kFailed, "Access is denied."};
    if (disk_.turnHeld) return {FileCall::Status::kBusy, "The file is in use."};
    turn = std::make_unique<SimTurn>(disk_);
    return {};
}

void SimFolder::Pause(unsigned ms) {
    Call();
    const std::uint64_t until = disk_.now + ms;
    if (disk_.runOthersUntil) disk_.runOthersUntil(until);
    disk_.now = until;
}

}  // namespace vantry::test
