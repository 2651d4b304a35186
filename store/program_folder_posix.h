#pragma once
// The program folder on Linux: UTF-8 files, atomic replacement by rename, the save turn a lock
// on the folder.

#include <string>

#include "store/program_folder.h"

namespace vantry {

class PosixProgramFolder : public ProgramFolder {
  public:
    explicit PosixProgramFolder(std::string folder) : folder_(std::move(folder)) {}

    bool Exists(const std::string& name) override;
    bool Present(const std::string& name) override;
    std::optional<std::string> Read(const std::string& name) override;
    WriteOutcome Replace(const std::string& name, const std::string& content) override;
    std::unique_ptr<SaveTurn> TakeSaveTurn(TurnRefusal& refused) override;

  private:
    std::string FullName(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

}  // namespace vantry
