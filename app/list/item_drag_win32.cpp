#include "app/list/item_drag_win32.h"

// shlobj.h and shellapi.h after windows.h (included by the header).
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <utility>
#include <vector>

#include "platform/byte_data_object_win32.h"
#include "platform/text_win32.h"
#include "store/path_helpers.h"

namespace vantry {

namespace {

UINT ItemFormat() {
    static const UINT format = RegisterClipboardFormatW(L"Vantry list item");
    return format;
}

// The shell's file list for one entry: a folder goes without its closing "\", which the shell
// does not expect there; a drive root keeps it.
std::string FileListBytes(std::string path) {
    if (path.size() > 3 && path.back() == '\\') path.pop_back();
    return FileListBlock({path});
}

// The shell's item-id list (CFSTR_SHELLIDLIST) for one entry: the parent folder's absolute ids,
// then the item's id relative to it. The file manager reads it for a link ("create shortcut");
// empty when the shell cannot name the path.
std::string ShellIdListBytes(const std::string& path) {
    PIDLIST_ABSOLUTE full = ILCreateFromPathW(Widen(path).c_str());
    if (!full) return {};
    const auto* start = reinterpret_cast<const char*>(full);
    const auto* last = reinterpret_cast<const char*>(ILFindLastID(full));
    std::string parent(start, last);
    parent.append(sizeof(USHORT), '\0');  // the parent's closing empty id
    std::string child(last, start + ILGetSize(full));
    ILFree(full);
    UINT header[3] = {1, sizeof(header), static_cast<UINT>(sizeof(header) + parent.size())};
    return std::string(reinterpret_cast<const char*>(header), sizeof(header)) + parent + child;
}

class ItemSource final : public IDropSource {
  public:
    explicit ItemSource(const std::function<bool()>& plainCursor) : plainCursor_(plainCursor) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;  // lives on the stack of RunItemDrag: no count to keep
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape) return DRAGDROP_S_CANCEL;
        if (!(keys & MK_LBUTTON)) return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
        if (!plainCursor_()) return DRAGDROP_S_USEDEFAULTCURSORS;
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        return S_OK;
    }

  private:
    const std::function<bool()>& plainCursor_;
};

}  // namespace

std::optional<DraggedItem> ReadDraggedItem(IDataObject* data) {
    FORMATETC format{static_cast<CLIPFORMAT>(ItemFormat()), nullptr, DVASPECT_CONTENT, -1,
                     TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return std::nullopt;
    std::optional<DraggedItem> item;
    if (medium.tymed == TYMED_HGLOBAL && GlobalSize(medium.hGlobal) >= sizeof(DraggedItem)) {
        if (const void* bytes = GlobalLock(medium.hGlobal)) {
            item.emplace();
            std::memcpy(&*item, bytes, sizeof(DraggedItem));
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return item;
}

ComPtr<IDataObject> CreateItemData(const std::string& path, const DraggedItem& item) {
    // A name ending in a dot or a space would be another file's to the shell: such an item only
    // moves within the lists.
    ByteDataObject::Formats formats;
    if (!HasTrimmedName(path)) formats.push_back({CF_HDROP, FileListBytes(path)});
    std::string ids = formats.empty() ? std::string() : ShellIdListBytes(path);
    if (!ids.empty()) {
        formats.push_back(
            {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), ids});
    }
    formats.push_back({static_cast<CLIPFORMAT>(ItemFormat()),
                       std::string(reinterpret_cast<const char*>(&item), sizeof(item))});
    ComPtr<IDataObject> data;
    data.Attach(new ByteDataObject(std::move(formats)));
    return data;
}

HRESULT RunItemDrag(IDataObject* data, const std::function<bool()>& plainCursor, DWORD* effect) {
    ItemSource source(plainCursor);
    return DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, effect);
}

}  // namespace vantry
