#pragma once
// The program folder over raw file calls (store/folder_files.h): how a save takes its turn and
// replaces a file atomically, the same on every system and in the simulated folder of the search
// test, which differ only in the raw calls they give. Reads decode the file's text
// (store/text_encoding.h); writes encode it.

#include "store/folder_files.h"
#include "store/program_folder.h"
#include "store/text_encoding.h"

namespace vantry {

// Deletes every temporary file in the folder when the turn was found abandoned: under the turn,
// each is a dead writer's. One that cannot be deleted leaves this turn abandoned as well.
void SweepAbandoned(FolderFiles& folder, FileTurn& turn);

class ProtocolFolder : public ProgramFolder, public FolderFiles {
  public:
    explicit ProtocolFolder(AnsiCodePage ansi) : ansi_(std::move(ansi)) {}

    bool Exists(const std::string& name) override { return Readable(name); }
    bool Present(const std::string& name) override { return IsFile(name); }
    std::optional<std::string> Read(const std::string& name) override;
    // Called within a save turn (TakeSaveTurn), which has swept what killed writers left.
    WriteOutcome Replace(const std::string& name, const std::string& content) override;
    std::unique_ptr<SaveTurn> TakeSaveTurn(TurnRefusal& refused) override;

  private:
    class HeldTurn;

    WriteOutcome WriteTemporary(const std::string& name, const std::string& bytes,
                                std::string& temporary);
    // One that cannot be deleted leaves the turn held now abandoned, to be swept by the next.
    void DeleteTemporary(const std::string& temporary);

    AnsiCodePage ansi_;
    FileTurn* held_ = nullptr;  // the turn TakeSaveTurn gave, while it lasts
};

}  // namespace vantry
