#pragma once
// The program's own folder, where its four text files live. Files are named relative to it.
// Implementations read and write whole files; every write replaces the file atomically, so a
// crash or power cut leaves the old content or the new, never a mix.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vantry {

struct WriteOutcome {
    bool ok = true;
    std::string reason;  // the system's reason when ok is false
};

// No file the program writes comes near this; a larger one is not read at all (a gigabyte would
// be held three times over while converted) and counts as a file that cannot be read.
inline constexpr std::uint64_t kMaxFileBytes = 16 * 1024 * 1024;

// A writer's turn to save in the folder, held from its read of the file on disk to the rename
// that replaces it, so that no other writer (another copy, in another session or on another PC
// sharing the folder) saves in between and has its change undone. Ends when destroyed.
class SaveTurn {
  public:
    virtual ~SaveTurn() = default;
};

// The name of a temporary file that will replace name: "~", three characters that stand for name,
// the token in seven base-36 digits, ".tmp"; 15 characters, no longer than "VantryList0.txt", so
// any folder that can hold the program's files can hold it. A random token keeps it unique across
// processes and PCs. IsTemporaryFor tells such names of name from every other file.
std::string TemporaryName(const std::string& name, std::uint64_t token);
// What every temporary name begins with, and every temporary name of name.
inline constexpr char kTemporaryStart[] = "~";
std::string TemporaryPrefix(const std::string& name);
// Whether file is a temporary name of any file, or of name.
bool IsTemporary(const std::string& file);
bool IsTemporaryFor(const std::string& name, const std::string& file);

// Why a save turn was not had: the system's reason, and whether no file can be made in the folder
// at all (a write-protected stick, a CD, a read-only share or folder), which no wait will change.
struct TurnRefusal {
    std::string reason;
    bool readOnly = false;
};

class ProgramFolder {
  public:
    virtual ~ProgramFolder() = default;

    // Whether the file can be opened for reading now.
    virtual bool Exists(const std::string& name) = 0;
    // Whether a file of that name is there at all, readable now or not.
    virtual bool Present(const std::string& name) = 0;
    // The whole content as UTF-8, whatever encoding it was in (store/text_encoding.h), or nothing
    // when the file cannot be read or is larger than kMaxFileBytes.
    virtual std::optional<std::string> Read(const std::string& name) = 0;
    // Replaces the file with content (UTF-8, written as store/text_encoding.h tells).
    virtual WriteOutcome Replace(const std::string& name, const std::string& content) = 0;
    // Waits briefly for the folder's save turn; nothing, and why, when another writer holds it all
    // that time or it cannot be taken at all (a read-only folder).
    virtual std::unique_ptr<SaveTurn> TakeSaveTurn(TurnRefusal& refused) = 0;
    // Waits: a second read a moment after the first tells a file being written from one at rest.
    virtual void Pause(unsigned ms) = 0;
};

}  // namespace vantry
