#include "app/dropped_paths_win32.h"

// shellapi.h and shlobj.h after windows.h (included by the header).
#include <shellapi.h>
#include <shlobj.h>

#include "app/drop_registration_win32.h"
#include "platform/text_win32.h"

namespace vantry {

namespace {

DropFailure FailureOf(HRESULT result) {
    return {static_cast<long>(result), SystemMessage(static_cast<unsigned long>(result))};
}

// GetFileAttributesW reports some drive roots as hidden and system; a root is still a folder.
bool IsDriveRoot(const std::string& path) {
    return path.size() == 3 && path[1] == ':' && path[2] == '\\';
}

bool MeansAbsent(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            return true;
        default:
            return false;
    }
}

FORMATETC FileListFormat() {
    return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// The drop's storage, released on every way out (an exception from a full memory included).
// Releasing one that was never filled does nothing.
struct HeldMedium {
    STGMEDIUM medium{};
    HeldMedium() = default;
    HeldMedium(const HeldMedium&) = delete;
    HeldMedium& operator=(const HeldMedium&) = delete;
    ~HeldMedium() { ReleaseStgMedium(&medium); }
};

// Up to count bytes from the start of the file; fewer (or none) when it is shorter or cannot
// be read.
std::string ReadFileStart(const std::string& path, std::size_t count) {
    std::string bytes(count, '\0');
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD read = 0;
    if (file != INVALID_HANDLE_VALUE) {
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(count), &read, nullptr)) read = 0;
        CloseHandle(file);
    }
    bytes.resize(read);
    return bytes;
}

}  // namespace

Probed<DropProbe::Kind> Win32DropProbe::Look(const std::string& path) {
    DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        if (MeansAbsent(error)) return {Kind::Absent, std::nullopt};
        return {Kind::Absent, FailureOf(HRESULT_FROM_WIN32(error))};
    }
    bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folder && IsDriveRoot(path)) return {Kind::Folder, std::nullopt};
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
        return {Kind::Absent, std::nullopt};
    }
    return {folder ? Kind::Folder : Kind::File, std::nullopt};
}

Probed<ShortcutLink> Win32DropProbe::DescribeShortcut(const std::string& path) {
    Probed<Kind> kind = Look(path);
    if (kind.failure) return {{}, kind.failure};
    if (kind.value != Kind::File) return {};

    ComPtr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(link.GetAddressOf()));
    if (FAILED(result)) return {{}, FailureOf(result)};
    ComPtr<IPersistFile> file;
    result = link.As(&file);
    if (FAILED(result)) return {{}, FailureOf(result)};
    result = file->Load(Widen(path).c_str(), STGM_READ);
    if (FAILED(result)) return {{}, FailureOf(result)};

    // GetPath gives S_FALSE and an empty buffer for a link to something outside the file
    // system (a printer, the control panel). It does not follow a target that is itself a link.
    ShortcutLink described;
    wchar_t text[INFOTIPSIZE] = {};
    WIN32_FIND_DATAW unused;
    result = link->GetPath(text, MAX_PATH, &unused, SLGP_UNCPRIORITY);
    if (FAILED(result)) return {{}, FailureOf(result)};
    described.target = Narrow(text);
    // Only whether there are any counts: a longer text may come cut.
    text[0] = L'\0';
    if (SUCCEEDED(link->GetArguments(text, INFOTIPSIZE))) described.arguments = Narrow(text);
    text[0] = L'\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH))) {
        described.workingFolder = Narrow(text);
    }
    PIDLIST_ABSOLUTE ids = nullptr;
    described.shellItem = SUCCEEDED(link->GetIDList(&ids)) && ids;
    CoTaskMemFree(ids);
    // IShellLinkDataList::GetFlags would tell these too, but Wine's never reports them.
    std::uint32_t flags = ShellLinkFlags(ReadFileStart(path, kShellLinkHeaderSize)).value_or(0);
    described.runAsAdministrator = (flags & kLinkRunAsUser) != 0;
    described.installer = (flags & kLinkHasDarwinId) != 0;
    return {std::move(described), std::nullopt};
}

DroppedFiles ReadDropData(IDataObject* data) {
    DroppedFiles files;
    FORMATETC format = FileListFormat();
    HeldMedium held;
    if (!data || FAILED(data->GetData(&format, &held.medium))) return files;
    if (held.medium.tymed != TYMED_HGLOBAL || !held.medium.hGlobal) return files;
    files.hasFileList = true;
    HDROP drop = static_cast<HDROP>(held.medium.hGlobal);
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring entry(length, L'\0');
        if (length == 0 || DragQueryFileW(drop, i, entry.data(), length + 1) != length) {
            files.entries.push_back(std::nullopt);
            continue;
        }
        files.entries.push_back(Narrow(entry));
    }
    return files;
}

}  // namespace vantry
