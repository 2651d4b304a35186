#include "app/taskbar/tab_icon_win32.h"

#include <windows.h>
// windows.h first.
#include <objbase.h>
#include <shlobj.h>

#include <chrono>
#include <future>

#include "app/taskbar/grid_icon.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "store/file_icons_win32.h"

namespace vantry {

namespace {

// The icon's pixels at its size. An icon without alpha (an old one) takes it from its mask.
IconImage PixelsOf(HICON icon, int size) {
    IconImage image{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), 0)};
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return image;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::uint32_t> mask(image.pixels.size(), 0);
    HDC screen = GetDC(nullptr);
    const auto rows = static_cast<UINT>(size);
    bool colour = info.hbmColor && GetDIBits(screen, info.hbmColor, 0, rows, image.pixels.data(),
                                             &format, DIB_RGB_COLORS) == size;
    bool masked = info.hbmMask && GetDIBits(screen, info.hbmMask, 0, rows, mask.data(), &format,
                                            DIB_RGB_COLORS) == size;
    ReleaseDC(nullptr, screen);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (!colour) return IconImage{size, std::vector<std::uint32_t>(image.pixels.size(), 0)};
    bool alpha = false;
    for (std::uint32_t pixel : image.pixels) alpha = alpha || (pixel >> 24) != 0;
    if (!alpha) {
        for (std::size_t i = 0; i < image.pixels.size(); ++i) {
            bool clear = masked && (mask[i] & 0x00FFFFFF) != 0;
            image.pixels[i] = clear ? 0 : image.pixels[i] | 0xFF000000u;
        }
    }
    return image;
}

std::string IcoOfPaths(const std::vector<std::string>& paths) {
    // The shell's icon calls want COM on the thread that makes them.
    HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<IconImage> images;
    for (int size : kGridIconSizes) {
        std::vector<IconImage> quarters;
        for (std::size_t i = 0; i < paths.size() && i < 4; ++i) {
            UniqueIcon icon = LoadFileIconAtSize(paths[i], size / 2);
            if (!icon) icon = LoadTypeIconAtSize(paths[i], size / 2);
            quarters.push_back(PixelsOf(icon.Get(), size / 2));
        }
        images.push_back(GridImage(size, quarters));
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return IcoFileBytes(images);
}

// Written aside, then put in place: a reader sees the old icon or the new one.
bool ReplaceFile(const std::wstring& path, const std::string& bytes) {
    const std::wstring aside = path + L".new";
    HANDLE file = CreateFileW(aside.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size() && FlushFileBuffers(file);
    CloseHandle(file);
    ok = ok && MoveFileExW(aside.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(aside.c_str());
    return ok;
}

}  // namespace

bool WriteTabIcon(const std::string& icoPath, const std::vector<std::string>& paths) {
    auto made = std::async(std::launch::async, IcoOfPaths, paths);
    while (made.wait_for(std::chrono::milliseconds(15)) != std::future_status::ready) {
        PumpPendingMessages();
    }
    const std::wstring path = Widen(icoPath);
    if (!ReplaceFile(path, made.get())) return false;
    // The shell keeps icons in a cache: without this a pinned button would show the old grid.
    SHChangeNotify(SHCNE_UPDATEITEM, SHCNF_PATHW, path.c_str(), nullptr);
    return true;
}

}  // namespace vantry
