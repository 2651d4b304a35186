#pragma once
// The program folder on Windows: the raw file calls of store/save_protocol.h, W functions inside;
// files in the ANSI code page or UTF-8 (store/text_encoding.h).

#include <string>

#include "store/save_protocol.h"

namespace vantry {

// Held by a writer for its save turn (opened alone, deleted as the turn ends).
inline constexpr char kTurnFile[] = "Vantry.lock";

// The folder of the running executable, UTF-8, without a closing "\" ("R:" for a drive's root).
std::string ExecutableFolder();

// The one path the system gives a folder however it is reached (a drive root, a subst drive, a
// junction or symbolic link, a UNC path and its mapped drive, 8.3 names), as "\\?\R:\docs" or
// "\\?\UNC\server\share\docs"; empty when the folder cannot be opened.
std::wstring FolderIdentity(const std::wstring& folder);

class Win32ProgramFolder : public ProtocolFolder {
  public:
    explicit Win32ProgramFolder(std::string folder);

    bool Readable(const std::string& name) override;
    bool IsFile(const std::string& name) override;
    FileCall CanReplace(const std::string& name) override;
    std::optional<std::string> ReadBytes(const std::string& name) override;
    FileCall CreateNew(const std::string& name, std::unique_ptr<NewFile>& file) override;
    FileCall RenameReplacing(const std::string& from, const std::string& to) override;
    bool Delete(const std::string& name) override;
    std::vector<std::string> NamesStartingWith(const std::string& prefix) override;
    FileCall TryTakeTurn(std::unique_ptr<FileTurn>& turn) override;
    std::uint64_t NowMs() override;
    std::uint64_t RandomBits() override;
    void Pause(unsigned ms) override;

    const std::string& Folder() const { return folder_; }

  private:
    std::string FullName(const std::string& name) const { return folder_ + "\\" + name; }

    std::string folder_;
};

}  // namespace vantry
