// libFuzzer target: the three file readers, the files' decoder and DisplayName on arbitrary
// bytes. The readers must neither crash nor hang on anything a damaged or foreign file can hold.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/list/list_model.h"
#include "store/item_files.h"
#include "store/path_helpers.h"
#include "store/text_encoding.h"
#include "tests/native/support/fakes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    vantry::test::FakeFolder folder;
    for (const char* name : {vantry::kStyleFile, vantry::kTabsFile, "VantryList0.txt"}) {
        folder.files[name] = bytes;
    }
    vantry::test::RecordingDialogs dialogs;
    vantry::ItemFiles files(folder, dialogs);
    files.ReadStyleWord();
    files.ReadTabNames();
    vantry::test::RecordingListView view;
    vantry::ListModel model(files, view);
    model.LoadListfile();
    model.SaveListFile();
    const vantry::AnsiCodePage asIs{[](const std::string&, std::string&) { return false; },
                                    [](const std::string& text) { return text; }};
    vantry::DecodeFileText(bytes, asIs);
    vantry::DisplayName(bytes);
    vantry::ItemCaption(bytes);
    return 0;
}
