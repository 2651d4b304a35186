#pragma once
// The program folder over raw file calls (store/folder_files.h): how a save takes its turn and
// replaces a file atomically, the same on every system and in the simulated folder of the search
// test, which differ only in the raw calls they give. Reads decode the file's text
// (store/text_encoding.h); writes encode it.

#include "store/folder_files.h"
#include "store/program_folder.h"
#include "store/text_encoding.h"

namespace vantry {

// Deletes every temporary file of name in the folder. Only within a save turn, where each one is
// a killed writer's leftover.
void RemoveLeftovers(FolderFiles& folder, const std::string& name);

class ProtocolFolder : public ProgramFolder, public FolderFiles {
  public:
    explicit ProtocolFolder(AnsiCodePage ansi) : ansi_(std::move(ansi)) {}

    bool Exists(const std::string& name) override { return Readable(name); }
    bool Present(const std::string& name) override { return IsFile(name); }
    std::optional<std::string> Read(const std::string& name) override;
    // Called within a save turn: any temporary file of name is then a killed writer's leftover,
    // and goes first.
    WriteOutcome Replace(const std::string& name, const std::string& content) override;
    std::unique_ptr<SaveTurn> TakeSaveTurn(TurnRefusal& refused) override;

  private:
    WriteOutcome WriteTemporary(const std::string& name, const std::string& bytes,
                                std::string& temporary);

    AnsiCodePage ansi_;
};

}  // namespace vantry
