// A glass window of Theme Labels in each of their states (at rest, hovered, disabled,
// auto-sized, fixed and cut, another font), to look at under Wine or Windows. Not shipped.
// Usage: gallery.exe [milliseconds before closing itself]

#include <windows.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "controls/theme_label_win32.h"
#include "platform/glass_frame.h"
#include "platform/subclass_win32.h"
#include "platform/system_functions_win32.h"

namespace {

using vantry::DWM_Label;

// Extends the glass on the first activation through the shared hook, as the app's windows do.
class GalleryWindow final : public vantry::FA_Handler {
  public:
    int32_t FA_Handler_WndProc(vantry::NativeWindow hwnd, uint32_t uMsg, uintptr_t,
                               intptr_t) override {
        if (uMsg != WM_ACTIVATE || glassExtended_) return 1;
        vantry::ExtendGlassFrame(hwnd, -1, -1, -1, -1);
        glassExtended_ = true;
        return 0;
    }

  private:
    bool glassExtended_ = false;
};

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    vantry::RestrictDllSearchToSystem32();
    int lifetimeMs = std::atoi(commandLine);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = L"VantryGallery";
    RegisterClassExW(&wc);
    HWND frame = CreateWindowExW(0, wc.lpszClassName, L"Theme Label gallery",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 460, 330, nullptr,
                                 nullptr, instance, nullptr);
    GalleryWindow gallery;
    vantry::InstallSubclass(frame, &gallery);

    std::vector<std::unique_ptr<DWM_Label>> labels;
    auto add = [&](const char* caption, int x, int y, int width, int height) -> DWM_Label& {
        labels.push_back(std::make_unique<DWM_Label>());
        DWM_Label& label = *labels.back();
        label.Create(frame, x, y, width, height);
        if (width > 10) {
            // Creation auto-sizes; a fixed label gets its own size back once that is off.
            label.SetAutoSize(false);
            MoveWindow(label.Window(), x, y, width, height, TRUE);
        }
        label.SetCaption(caption);
        return label;
    };
    add("At rest: Theme Label", 10, 10, 10, 10);
    DWM_Label& hovered = add("Hovered (HoverColor)", 10, 50, 10, 10);
    DWM_Label& disabled = add("Disabled & unchanged", 10, 90, 10, 10);
    disabled.SetEnabled(false);
    add("Auto-sized to a rather longer caption", 10, 130, 10, 10);
    add("Fixed 120 x 40, cut at the right edge", 10, 170, 120, 40);
    DWM_Label& big = add("Bold 12 pt, red", 10, 220, 10, 10);
    vantry::FontDescription bold;
    bold.face = "Arial";
    bold.points = 12;
    bold.bold = true;
    big.SetFont(bold);
    big.SetForeColor(0x000000C0);
    DWM_Label& wide = add("Glow 4", 250, 10, 10, 10);
    wide.SetGlowSize(4);

    ShowWindow(frame, SW_SHOW);
    UpdateWindow(frame);
    for (auto& label : labels) label->Show();

    // Hover for real: the pointer over the label, then the move that the system would send.
    RECT rect;
    GetWindowRect(hovered.Window(), &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    POINT inside{(rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2};
    SendMessageW(hovered.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y));

    if (lifetimeMs > 0) SetTimer(nullptr, 0, static_cast<UINT>(lifetimeMs), nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) DestroyWindow(frame);
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    labels.clear();
    return 0;
}
