#pragma once
// The program's own folder, where its four text files live. Files are named relative to it.
// Implementations read and write whole files; every write replaces the file atomically, so a
// crash or power cut leaves the old content or the new, never a mix.

#include <cstdint>
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

class ProgramFolder {
  public:
    virtual ~ProgramFolder() = default;

    // Whether the file can be opened for reading now.
    virtual bool Exists(const std::string& name) = 0;
    // Whether a file of that name is there at all, readable now or not.
    virtual bool Present(const std::string& name) = 0;
    // The whole content as UTF-8, or nothing when the file cannot be read or is larger than
    // kMaxFileBytes.
    virtual std::optional<std::string> Read(const std::string& name) = 0;
    // Replaces the file with content (UTF-8, converted to the files' encoding).
    virtual WriteOutcome Replace(const std::string& name, const std::string& content) = 0;
    // Text as it can be stored in a file: the text itself, a path's short form where only that
    // can be held by the files' encoding, or nothing when neither can. Only a path has a short
    // form: for other text (a tab name) a file of the same name would lend it its own.
    virtual std::optional<std::string> StorableForm(const std::string& text, bool isPath) = 0;
};

}  // namespace vantry
