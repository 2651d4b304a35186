#pragma once
// A data object that holds each of its formats as a block of bytes, handed out as a fresh
// HGLOBAL on every GetData (each caller frees its own copy): what a drag or a clipboard source
// offers when its data is known in full up front. Not here: other storage media, SetData,
// advise sinks.

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/com_object_win32.h"

namespace vantry {

class ByteDataObject final : public ComObject<IDataObject, IID_IDataObject> {
  public:
    using Formats = std::vector<std::pair<CLIPFORMAT, std::string>>;

    // The caller owns the one reference the object is created with.
    explicit ByteDataObject(Formats formats) : formats_(std::move(formats)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override;
    // Targets may hand back what they did (the shell's performed effect); nothing here needs it.
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

  private:
    ~ByteDataObject() = default;
    const std::string* Find(const FORMATETC* format) const;

    Formats formats_;
};

// The CF_HDROP block of a file list: a DROPFILES header, then the UTF-16 paths, each closed by
// a NUL, and a final NUL.
std::string FileListBlock(const std::vector<std::string>& paths);

}  // namespace vantry
