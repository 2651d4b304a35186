#pragma once
// A simulated program folder for the store's search test: one disk of named files that several
// actors share, with time, kills and faults, under the real save protocol (store/save_protocol.h).
// Each copy of the program gets a SimFolder of its own over the shared SimDisk.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/save_protocol.h"
#include "tests/native/support/latin1_code_page.h"

namespace vantry::test {

// Thrown by a raw file call at which a copy of the program is killed.
struct Killed {};

struct SimFile {
    std::string bytes;
    // Flushed to the disk: a power cut leaves it whole.
    bool durable = false;
};

class SimDisk {
  public:
    std::map<std::string, SimFile> files;
    std::uint64_t now = 0;
    bool turnHeld = false;
    // The turn's file is there: held now, or left by a writer killed in its turn.
    bool turnAbandoned = false;
    int turnsTaken = 0;
    // Runs what other actors do until the time given; set by the scheduler.
    std::function<void(std::uint64_t)> runOthersUntil;
    // Called when a file's content changes by a rename (a save of the program).
    std::function<void(const std::string&)> renamed;

    void Set(const std::string& name, std::string bytes, bool durable = false) {
        files[name] = {std::move(bytes), durable};
    }
};

class SimFolder : public ProtocolFolder {
  public:
    explicit SimFolder(SimDisk& disk) : ProtocolFolder(Latin1CodePage()), disk_(disk) {}

    bool Readable(const std::string& name) override;
    bool IsFile(const std::string& name) override;
    FileCall CanReplace(const std::string&) override { return {}; }
    std::optional<std::string> ReadBytes(const std::string& name) override;
    FileCall CreateNew(const std::string& name, std::unique_ptr<NewFile>& file) override;
    FileCall RenameReplacing(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& name) override;
    std::vector<std::string> NamesStartingWith(const std::string& prefix) override;
    FileCall TryTakeTurn(std::unique_ptr<FileTurn>& turn) override;
    std::uint64_t NowMs() override { return disk_.now; }
    std::uint64_t RandomBits() override { return ++token_ * 0x9E3779B97F4A7C15ull; }
    void Pause(unsigned ms) override;

    // The raw call at which the copy dies (counted from 1), and the first that fails (0 for none)
    // with how many fail from there: a folder that goes away fails every call.
    int killAt = 0;
    int failAt = 0;
    int failCalls = 1;
    int calls = 0;

  private:
    // Counts a raw call; throws at the kill, true at the failure.
    bool Call();

    SimDisk& disk_;
    std::uint64_t token_ = 0;
};

}  // namespace vantry::test
