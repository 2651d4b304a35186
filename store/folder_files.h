#pragma once
// The raw file calls the program folder is built on, by name relative to the folder: the only
// part that differs between Windows, Linux and the simulated folder of the store's search test.
// What they mean together (the save turn, the temporary write, the flush, the rename, the sweep)
// is store/program_folder.h's, in portable code.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/program_folder.h"

namespace vantry {

struct FileCall {
    enum class Status {
        kOk,
        kExists,    // a new file's name is taken
        kBusy,      // held by another process for now (a sharing or lock violation)
        kReadOnly,  // no file can be made in the folder at all
        kFailed,
    };
    Status status = Status::kOk;
    std::string reason;  // the system's reason when not ok
    bool Ok() const { return status == Status::kOk; }
};

// A file made by FolderFiles::CreateNew, open for writing. Destroyed, it is closed unflushed.
class NewFile {
  public:
    virtual ~NewFile() = default;
    virtual FileCall Write(const std::string& bytes) = 0;
    // Flushes the data to the disk and closes the file.
    virtual FileCall FlushAndClose() = 0;
};

// The folder's save turn as the raw calls give it. A writer killed in its turn (or cut off by a
// power cut or a lost network) leaves it abandoned, and the next holder sweeps the temporary files
// such a writer may have left: a turn that ended cleanly leaves none, so its successor does not
// list the folder.
class FileTurn : public SaveTurn {
  public:
    virtual bool Abandoned() const = 0;
    // Ends this turn as an abandoned one: a temporary file of it could not be deleted.
    virtual void LeaveAbandoned() = 0;
};

class FolderFiles {
  public:
    virtual ~FolderFiles() = default;

    // Whether the file can be opened for reading now.
    virtual bool Readable(const std::string& name) = 0;
    // Whether a file of that name is there at all, readable now or not.
    virtual bool IsFile(const std::string& name) = 0;
    // Fails, with the system's reason, for a file not to be replaced (a read-only one).
    virtual FileCall CanReplace(const std::string& name) = 0;
    // The file's bytes; nothing when it cannot be read or is larger than kMaxFileBytes.
    virtual std::optional<std::string> ReadBytes(const std::string& name) = 0;
    // Makes a file that must not exist yet.
    virtual FileCall CreateNew(const std::string& name, std::unique_ptr<NewFile>& file) = 0;
    // Gives from the name to, replacing the file there.
    virtual FileCall RenameReplacing(const std::string& from, const std::string& to) = 0;
    // Whether the file is gone.
    virtual bool Delete(const std::string& name) = 0;
    // The names of the files in the folder that begin with prefix.
    virtual std::vector<std::string> NamesStartingWith(const std::string& prefix) = 0;
    // One try at the folder's save turn: kBusy while another writer holds it, kReadOnly where no
    // file can be made in the folder.
    virtual FileCall TryTakeTurn(std::unique_ptr<FileTurn>& turn) = 0;

    // A steady clock and random bits (a temporary name's token), so that time and chance can be
    // simulated too; the pause is ProgramFolder::Pause.
    virtual std::uint64_t NowMs() = 0;
    virtual std::uint64_t RandomBits() = 0;
};

}  // namespace vantry
