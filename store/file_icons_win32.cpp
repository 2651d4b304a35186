#include "store/file_icons_win32.h"

// windows.h must come first.
#include <commctrl.h>
#include <shellapi.h>
#include <unknwn.h>

#include "platform/text_win32.h"

namespace vantry {

namespace {

// Declared here rather than taken from the uuid library, where mingw-w64 may not define it.
constexpr GUID kImageListId{
    0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};

std::wstring Trimmed(const std::string& path) {
    std::size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = path.find_last_not_of(' ');
    return Widen(path.substr(first, last - first + 1));
}

// One of the shell's image lists, released when done. An IImageList is also an HIMAGELIST.
class ShellImageList {
  public:
    explicit ShellImageList(int which) {
        if (FAILED(SHGetImageList(which, kImageListId, reinterpret_cast<void**>(&list_)))) {
            list_ = nullptr;
        }
    }
    ~ShellImageList() {
        if (list_) list_->Release();
    }
    ShellImageList(const ShellImageList&) = delete;
    ShellImageList& operator=(const ShellImageList&) = delete;

    HIMAGELIST Get() const { return reinterpret_cast<HIMAGELIST>(list_); }
    int Side() const {
        int cx = 0;
        int cy = 0;
        return list_ && ImageList_GetIconSize(Get(), &cx, &cy) ? cx : 0;
    }

  private:
    IUnknown* list_ = nullptr;
};

// Resampled from `side` (0 when not known) to the exact size; CopyImage shrinks an icon's colour
// and mask together.
UniqueIcon ToSize(UniqueIcon icon, int side, int size) {
    if (!icon || side == size) return icon;
    HANDLE copy = CopyImage(icon.Get(), IMAGE_ICON, size, size, 0);
    return copy ? UniqueIcon(static_cast<HICON>(copy)) : std::move(icon);
}

}  // namespace

UniqueIcon LoadFileIcon(const std::string& path, bool smallIcon) {
    std::wstring trimmed = Trimmed(path);
    if (trimmed.empty()) return {};
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | (smallIcon ? SHGFI_SMALLICON : 0);
    SHGetFileInfoW(trimmed.c_str(), 0, &info, sizeof(info), flags);
    return UniqueIcon(info.hIcon);
}

UniqueIcon GenericIcon(int size) {
    // With SHGFI_USEFILEATTRIBUTES the shell goes by the name alone and opens nothing.
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (size <= 16 ? SHGFI_SMALLICON : 0);
    SHGetFileInfoW(L"item", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags);
    return ToSize(UniqueIcon(info.hIcon), 0, size);
}

namespace {

// The icon at index of the shell's system image list, at exactly size x size pixels.
UniqueIcon SystemIconAtSize(const std::string& path, int index, int size) {
    // The lists' sides follow the system's settings (the small one is 24 at 150 %), so each is
    // asked for its own. They come from small to jumbo: the first big enough wins, else the
    // biggest there is. Only the winner's icon is made.
    int chosen = -1;
    int chosenSide = 0;
    for (int which : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
        int side = ShellImageList(which).Side();
        if (side <= chosenSide) continue;
        chosen = which;
        chosenSide = side;
        if (side >= size) break;
    }
    // Without the image lists (never seen): the shell's own pick, its size unknown.
    if (chosen < 0) return ToSize(LoadFileIcon(path, size <= 16), 0, size);
    ShellImageList list(chosen);
    return ToSize(UniqueIcon(ImageList_GetIcon(list.Get(), index, ILD_TRANSPARENT)), chosenSide,
                  size);
}

}  // namespace

UniqueIcon LoadFileIconAtSize(const std::string& path, int size) {
    std::wstring trimmed = Trimmed(path);
    if (trimmed.empty() || size <= 0) return {};
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(trimmed.c_str(), 0, &info, sizeof(info), SHGFI_SYSICONINDEX)) return {};
    return SystemIconAtSize(path, info.iIcon, size);
}

UniqueIcon LoadTypeIconAtSize(const std::string& path, int size) {
    std::wstring trimmed = Trimmed(path);
    if (trimmed.empty() || size <= 0) return {};
    DWORD attributes = trimmed.back() == L'\\' ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(trimmed.c_str(), attributes, &info, sizeof(info),
                        SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES)) {
        return {};
    }
    return SystemIconAtSize(path, info.iIcon, size);
}

}  // namespace vantry
