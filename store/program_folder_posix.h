#pragma once
// The program folder on Linux: the raw file calls of store/save_protocol.h, UTF-8 files, the save
// turn a lock on the folder.

#include <string>

#include "store/save_protocol.h"

namespace vantry {

class PosixProgramFolder : public ProtocolFolder {
  public:
    explicit PosixProgramFolder(std::string folder);

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

  private:
    std::string FullName(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

}  // namespace vantry
