// libFuzzer target: the three file readers and DisplayName on arbitrary bytes. The readers must
// neither crash nor hang on anything a damaged or foreign file can hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/list_model.h"
#include "store/item_files.h"
#include "store/path_helpers.h"

namespace {

class OneFileFolder : public vantry::ProgramFolder {
  public:
    explicit OneFileFolder(std::string content) : content_(std::move(content)) {}
    bool Exists(const std::string&) override { return true; }
    std::optional<std::string> Read(const std::string&) override { return content_; }
    vantry::WriteOutcome Replace(const std::string&, const std::string& content) override {
        content_ = content;
        return {};
    }
    std::optional<std::string> StorableForm(const std::string& text) override { return text; }

  private:
    std::string content_;
};

class Silent : public vantry::UserDialogs, public vantry::ListView {
  public:
    void ShowError(const std::string&) override {}
    void ShowPlain(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return true; }
    void ShowCaption(int, const std::string&) override {}
    void ShowIcon(int, const std::string&) override {}
    void PumpMessages() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    OneFileFolder folder(bytes);
    Silent silent;
    vantry::ItemFiles files(folder, silent);
    files.ReadStyleWord();
    files.ReadTabNames();
    vantry::ListModel model(files, silent);
    model.LoadListfile();
    model.SaveListFile();
    vantry::DisplayName(bytes);
    vantry::ItemCaption(bytes);
    return 0;
}
