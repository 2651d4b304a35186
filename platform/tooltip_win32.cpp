#include "platform/tooltip_win32.h"

#include <commctrl.h>

#include "platform/text_win32.h"

namespace vantry {

namespace {

constexpr UINT_PTR kFocusTipId = 1;

TTTOOLINFOW ToolInfo(HWND owner, UINT flags, UINT_PTR id) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = flags;
    tool.hwnd = owner;
    tool.uId = id;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

HWND CreateTipWindow(HWND owner) {
    HWND window = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    // Paths are long: wrap them at a width a screen can hold rather than run off its edge.
    if (window) SendMessageW(window, TTM_SETMAXTIPWIDTH, 0, 600);
    return window;
}

}  // namespace

Tooltip::~Tooltip() {
    if (window_) DestroyWindow(window_);
    if (focusWindow_) DestroyWindow(focusWindow_);
}

void Tooltip::Create(HWND owner) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    owner_ = owner;
    window_ = CreateTipWindow(owner);
    // The focus tip has a control of its own: the pointer leaving a tool pops whatever tip its
    // control shows.
    focusWindow_ = CreateTipWindow(owner);
    if (!focusWindow_) return;
    TTTOOLINFOW focusTip = ToolInfo(owner_, TTF_TRACK | TTF_ABSOLUTE, kFocusTipId);
    SendMessageW(focusWindow_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&focusTip));
}

void Tooltip::AddTool(HWND child) {
    if (!window_ || !child) return;
    TTTOOLINFOW tool =
        ToolInfo(owner_, TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(child));
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

bool Tooltip::HandleNotify(const NMHDR& header) {
    if (!header.hwndFrom || header.code != TTN_GETDISPINFOW) return false;
    if (header.hwndFrom != window_ && header.hwndFrom != focusWindow_) return false;
    auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
    HWND child = header.hwndFrom == window_ ? reinterpret_cast<HWND>(info.hdr.idFrom) : focusChild_;
    text_ = child && textFor ? Widen(textFor(child)) : std::wstring();
    info.lpszText = text_.data();
    return true;
}

void Tooltip::ShowFocusTip(HWND child) {
    if (!focusWindow_) return;
    TTTOOLINFOW focusTip = ToolInfo(owner_, TTF_TRACK | TTF_ABSOLUTE, kFocusTipId);
    focusChild_ = child;
    if (!child || !textFor || textFor(child).empty()) {
        SendMessageW(focusWindow_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&focusTip));
        return;
    }
    RECT rect;
    GetWindowRect(child, &rect);
    // A new text for the same tool is asked for again only when told.
    SendMessageW(focusWindow_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&focusTip));
    // Beside the control rather than below it, where it would cover the next row's item.
    SendMessageW(focusWindow_, TTM_TRACKPOSITION, 0, MAKELPARAM(rect.right + 4, rect.top));
    SendMessageW(focusWindow_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&focusTip));
}

}  // namespace vantry
