#pragma once
// The program folder on Windows: files in the ANSI code page or UTF-8 (store/text_encoding.h), W
// functions inside, atomic replacement through a temporary file in the same folder.

#include <set>
#include <string>

#include "store/program_folder.h"

namespace vantry {

// The folder of the running executable, UTF-8, without a closing "\" ("R:" for a drive's root).
std::string ExecutableFolder();

// The one path the system gives a folder however it is reached (a drive root, a subst drive, a
// junction or symbolic link, a UNC path and its mapped drive, 8.3 names), as "\\?\R:\docs" or
// "\\?\UNC\server\share\docs"; empty when the folder cannot be opened.
std::wstring FolderIdentity(const std::wstring& folder);

class Win32ProgramFolder : public ProgramFolder {
  public:
    explicit Win32ProgramFolder(std::string folder) : folder_(std::move(folder)) {}

    bool Exists(const std::string& name) override;
    bool Present(const std::string& name) override;
    std::optional<std::string> Read(const std::string& name) override;
    // Called within a save turn: the first replace of each file also removes the temporary files
    // that writers killed during their turn left behind.
    WriteOutcome Replace(const std::string& name, const std::string& content) override;
    std::unique_ptr<SaveTurn> TakeSaveTurn(TurnRefusal& refused) override;

    const std::string& Folder() const { return folder_; }

  private:
    std::string FullName(const std::string& name) const { return folder_ + "\\" + name; }
    void RemoveLeftovers(const std::string& name);

    std::string folder_;
    std::set<std::string> swept_;
};

}  // namespace vantry
