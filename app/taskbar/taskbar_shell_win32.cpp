#include "app/taskbar/taskbar_shell_win32.h"

#include <objbase.h>
#include <objectarray.h>
#include <propidl.h>
#include <propsys.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <cstring>

#include "platform/text_win32.h"

namespace vantry {

using Microsoft::WRL::ComPtr;

namespace {

// The keys, defined here: the headers' come from a library that may resolve them to an import
// stub rather than the value, and propsys.dll is not one to import at load time.
constexpr PROPERTYKEY kAppUserModelId{
    {0x9F4C2855, 0x9F79, 0x4B39, {0xA8, 0xD0, 0xE1, 0xD4, 0x2D, 0xE1, 0xD5, 0xF3}}, 5};
constexpr PROPERTYKEY kTitle{
    {0xF29F85E0, 0x4FF9, 0x1068, {0xAB, 0x91, 0x08, 0x00, 0x2B, 0x27, 0xB3, 0xD9}}, 2};

// A PROPVARIANT holding a copy of the text (VT_EMPTY for none); cleared when it goes.
class TextValue {
  public:
    explicit TextValue(const std::string& text) {
        PropVariantInit(&value_);
        if (text.empty()) return;
        std::wstring wide = Widen(text);
        const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
        auto* copy = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
        if (!copy) return;
        std::memcpy(copy, wide.c_str(), bytes);
        value_.vt = VT_LPWSTR;
        value_.pwszVal = copy;
    }
    ~TextValue() { PropVariantClear(&value_); }
    TextValue(const TextValue&) = delete;
    TextValue& operator=(const TextValue&) = delete;
    const PROPVARIANT& Get() const { return value_; }

  private:
    PROPVARIANT value_;
};

// A shell link to the program with the arguments, its title and icon; in a property store the
// title, which the jump list shows.
ComPtr<IShellLinkW> TaskLink(const std::string& program, const JumpTask& task) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link)))) {
        return nullptr;
    }
    link->SetPath(Widen(program).c_str());
    link->SetArguments(Widen(task.arguments).c_str());
    link->SetIconLocation(Widen(task.iconPath.empty() ? program : task.iconPath).c_str(), 0);
    ComPtr<IPropertyStore> properties;
    if (FAILED(link.As(&properties))) return nullptr;
    TextValue title(task.title);
    if (FAILED(properties->SetValue(kTitle, title.Get())) || FAILED(properties->Commit())) {
        return nullptr;
    }
    return link;
}

}  // namespace

bool SetWindowAppId(HWND window, const std::string& appId) {
    ComPtr<IPropertyStore> properties;
    if (FAILED(SHGetPropertyStoreForWindow(window, IID_PPV_ARGS(&properties)))) return false;
    TextValue value(appId);  // empty: VT_EMPTY, which removes the property
    return SUCCEEDED(properties->SetValue(kAppUserModelId, value.Get()));
}

bool WriteShortcutFile(const ShortcutSpec& spec) {
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&link)))) {
        return false;
    }
    link->SetPath(Widen(spec.target).c_str());
    link->SetArguments(Widen(spec.arguments).c_str());
    link->SetWorkingDirectory(Widen(spec.workingFolder).c_str());
    link->SetIconLocation(Widen(spec.iconPath).c_str(), 0);
    // The ID, which groups the tab's windows on the button pinned from this shortcut.
    ComPtr<IPropertyStore> properties;
    if (SUCCEEDED(link.As(&properties))) {
        TextValue id(spec.appId);
        if (SUCCEEDED(properties->SetValue(kAppUserModelId, id.Get()))) properties->Commit();
    }
    ComPtr<IPersistFile> file;
    return SUCCEEDED(link.As(&file)) && SUCCEEDED(file->Save(Widen(spec.linkPath).c_str(), TRUE));
}

bool ShellJumpLists::WriteTasks(const std::string& appId, const std::vector<JumpTask>& tasks) {
    ComPtr<ICustomDestinationList> list;
    if (FAILED(CoCreateInstance(CLSID_DestinationList, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&list)))) {
        return false;
    }
    if (!appId.empty() && FAILED(list->SetAppID(Widen(appId).c_str()))) return false;
    UINT minSlots = 0;
    ComPtr<IObjectArray> removed;
    if (FAILED(list->BeginList(&minSlots, IID_PPV_ARGS(&removed)))) return false;
    // Tasks, not a category of its own: the shell shows tasks whatever the user's setting for
    // recent items, as many as it has room for, in this order.
    ComPtr<IObjectCollection> collection;
    bool built = SUCCEEDED(CoCreateInstance(CLSID_EnumerableObjectCollection, nullptr,
                                            CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&collection)));
    for (std::size_t i = 0; built && i < tasks.size(); ++i) {
        ComPtr<IShellLinkW> link = TaskLink(programPath_, tasks[i]);
        built = link && SUCCEEDED(collection->AddObject(link.Get()));
    }
    ComPtr<IObjectArray> array;
    built = built && SUCCEEDED(collection.As(&array)) && SUCCEEDED(list->AddUserTasks(array.Get()));
    if (!built) {
        list->AbortList();
        return false;
    }
    return SUCCEEDED(list->CommitList());
}

}  // namespace vantry
