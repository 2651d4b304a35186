#pragma once
// A data object such as a drag source hands over: fixed formats, each an HGLOBAL block.

#include <windows.h>
// ole2.h needs the types of windows.h first.
#include <ole2.h>

#include <string>
#include <utility>
#include <vector>

namespace vantry::test {

class TestDataObject final : public IDataObject {
  public:
    // Each format with its bytes; the caller owns the one reference it is created with.
    explicit TestDataObject(std::vector<std::pair<CLIPFORMAT, std::string>> formats)
        : formats_(std::move(formats)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override;
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override;
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

    LONG References() const { return references_; }

  private:
    const std::string* Find(const FORMATETC* format) const;

    std::vector<std::pair<CLIPFORMAT, std::string>> formats_;
    LONG references_ = 1;
};

// The CF_HDROP block of a file list: a DROPFILES header, then the UTF-16 paths, each closed
// by a NUL, and a final NUL.
std::string FileListBlock(const std::vector<std::string>& paths);

}  // namespace vantry::test
