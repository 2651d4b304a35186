#pragma once
// A fresh folder under the system's temporary folder for one test, removed with its files.

#include <string>
#include <vector>

namespace vantry::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // UTF-8, without a closing backslash.
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // The names of the files in it, in order.
    std::vector<std::string> Names() const;

  private:
    std::string path_;
};

// Raw bytes of a file, or "<absent>" when it cannot be read.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace vantry::test
