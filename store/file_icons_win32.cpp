#include "store/file_icons_win32.h"

// windows.h must come first.
#include <shellapi.h>

#include "platform/text_win32.h"

namespace vantry {

UniqueIcon LoadFileIcon(const std::string& path, bool smallIcon) {
    std::size_t first = path.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = path.find_last_not_of(' ');
    std::wstring trimmed = Widen(path.substr(first, last - first + 1));
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | (smallIcon ? SHGFI_SMALLICON : 0);
    SHGetFileInfoW(trimmed.c_str(), 0, &info, sizeof(info), flags);
    return UniqueIcon(info.hIcon);
}

UniqueIcon GenericIcon(bool smallIcon) {
    // With SHGFI_USEFILEATTRIBUTES the shell goes by the name alone and opens nothing.
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | SHGFI_USEFILEATTRIBUTES | (smallIcon ? SHGFI_SMALLICON : 0);
    SHGetFileInfoW(L"item", FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), flags);
    return UniqueIcon(info.hIcon);
}

}  // namespace vantry
