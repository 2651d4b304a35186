#include "app/item_drag_win32.h"

// shlobj.h and shellapi.h after windows.h (included by the header).
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "platform/text_win32.h"

namespace vantry {

namespace {

UINT ItemFormat() {
    static const UINT format = RegisterClipboardFormatW(L"Vantry list item");
    return format;
}

// The shell's file list for one entry: a folder goes without its closing "\", which the shell
// does not expect there; a drive root keeps it.
std::string FileListBytes(const std::string& path) {
    std::wstring entry = Widen(path);
    if (entry.size() > 3 && entry.back() == L'\\') entry.pop_back();
    DROPFILES header{};
    header.pFiles = sizeof(DROPFILES);
    header.fWide = TRUE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof(header));
    // The entry, its terminator and the list's closing empty entry.
    bytes.append(reinterpret_cast<const char*>(entry.c_str()),
                 (entry.size() + 1) * sizeof(wchar_t));
    bytes.append(sizeof(wchar_t), '\0');
    return bytes;
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

class ItemData final : public IDataObject {
  public:
    ItemData(const std::string& path, const DraggedItem& item) {
        formats_.push_back({CF_HDROP, FileListBytes(path)});
        std::string ids = ShellIdListBytes(path);
        if (!ids.empty()) {
            formats_.push_back(
                {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), ids});
        }
        formats_.push_back({static_cast<CLIPFORMAT>(ItemFormat()),
                            std::string(reinterpret_cast<const char*>(&item), sizeof(item))});
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
            *object = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!format || !medium) return E_INVALIDARG;
        const std::string* bytes = Find(*format);
        if (!bytes) return DV_E_FORMATETC;
        // Each caller gets a copy of its own to free.
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
        if (!block) return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(block), bytes->data(), bytes->size());
        GlobalUnlock(block);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format) return E_INVALIDARG;
        return Find(*format) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    // Targets may hand back what they did (the shell's performed effect); nothing here needs it.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override {
        if (!out) return E_INVALIDARG;
        *out = nullptr;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const auto& entry : formats_) list.push_back(Format(entry.first));
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    ~ItemData() = default;
    static FORMATETC Format(CLIPFORMAT format) {
        return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    }
    const std::string* Find(const FORMATETC& format) const {
        if (format.dwAspect != DVASPECT_CONTENT || !(format.tymed & TYMED_HGLOBAL)) return nullptr;
        for (const auto& entry : formats_) {
            if (entry.first == format.cfFormat) return &entry.second;
        }
        return nullptr;
    }

    std::vector<std::pair<CLIPFORMAT, std::string>> formats_;
    LONG references_ = 1;
};

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
        item.emplace();
        std::memcpy(&*item, GlobalLock(medium.hGlobal), sizeof(DraggedItem));
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    return item;
}

ComPtr<IDataObject> CreateItemData(const std::string& path, const DraggedItem& item) {
    ComPtr<IDataObject> data;
    data.Attach(new ItemData(path, item));
    return data;
}

HRESULT RunItemDrag(IDataObject* data, const std::function<bool()>& plainCursor, DWORD* effect) {
    ItemSource source(plainCursor);
    return DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, effect);
}

}  // namespace vantry
