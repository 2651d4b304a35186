#include "platform/byte_data_object_win32.h"

// shlobj.h after windows.h (included by the header).
#include <shlobj.h>

#include <cstring>

#include "platform/text_win32.h"

namespace vantry {

namespace {

FORMATETC BlockFormat(CLIPFORMAT format) {
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

}  // namespace

const std::string* ByteDataObject::Find(const FORMATETC* format) const {
    if (!format || format->dwAspect != DVASPECT_CONTENT || !(format->tymed & TYMED_HGLOBAL)) {
        return nullptr;
    }
    for (const auto& [clip, bytes] : formats_) {
        if (clip == format->cfFormat) return &bytes;
    }
    return nullptr;
}

HRESULT ByteDataObject::GetData(FORMATETC* format, STGMEDIUM* medium) {
    if (!format || !medium) return E_INVALIDARG;
    const std::string* bytes = Find(format);
    if (!bytes) return DV_E_FORMATETC;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes->size());
    void* locked = block ? GlobalLock(block) : nullptr;
    if (!locked) {
        if (block) GlobalFree(block);
        return E_OUTOFMEMORY;
    }
    std::memcpy(locked, bytes->data(), bytes->size());
    GlobalUnlock(block);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT ByteDataObject::QueryGetData(FORMATETC* format) {
    if (!format) return E_INVALIDARG;
    return Find(format) ? S_OK : DV_E_FORMATETC;
}

HRESULT ByteDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

HRESULT ByteDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out) return E_INVALIDARG;
    *out = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    for (const auto& entry : formats_) list.push_back(BlockFormat(entry.first));
    return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
}

std::string FileListBlock(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const auto& path : paths) list += Widen(path) + L'\0';
    list += L'\0';
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block.append(reinterpret_cast<const char*>(list.data()), list.size() * sizeof(wchar_t));
    return block;
}

}  // namespace vantry
