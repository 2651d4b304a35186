// The configuration window on screen: its controls, layout at its DPI, and the events it hands
// to ConfigWindow, which decides what they do.

#include "app/config/config_window_win32.h"

#include <array>
#include <string>
#include <utility>

#include "app/config/config_window.h"
#include "app/config/keyboard_label_win32.h"
#include "platform/desktop_look_win32.h"
#include "platform/dpi_win32.h"
#include "platform/text_win32.h"
#include "platform/units.h"

namespace vantry {

namespace {

constexpr wchar_t kClassName[] = L"VantryConfigWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr int kClientWidthTwips = 4365;
constexpr int kClientHeightTwips = 2580;
constexpr int kTabHeightTwips = 210;
// 8.25 points: the size whose line height fits the tab labels' 210 twips.
constexpr int kFontHeightTwips = 165;
constexpr int kSmallestFontHeightTwips = 120;

struct ControlSpec {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;  // twips
};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFTNOWORDWRAP;

// In tab order: the statics first, then the text box, the option pair (one group) and the button.
constexpr std::array<ControlSpec, 9> kFixedControls{{
    {kConfigLabel2, L"STATIC", L"Current Tabs :", kLabel, 0, 120, 120, 1215, 255},
    {kConfigLabel4, L"STATIC", L"Click a tab name to Edit it.", kLabel, 0, 1560, 120, 2175, 255},
    {kConfigLabel3, L"STATIC", L"0", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_RIGHT, 0, 3960, 120,
     255, 255},
    {kConfigLabel1, L"STATIC", L"New Tab Section Name:", kLabel, 0, 120, 960, 1935, 255},
    {kConfigLabel5, L"STATIC", L"New Tab < Click here to start a new tab.", kLabel | SS_NOTIFY, 0,
     600, 1200, 3255, 255},
    {kConfigLabel6, L"STATIC", L"[Max is 5 Tabs]", WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_CENTER,
     0, 1200, 1440, 1935, 255},
    {kConfigText1, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE, 600, 1680, 3255, 285},
    {kConfigOption1, L"BUTTON", L"Small List",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0, 120, 2160, 1215, 375},
    {kConfigOption2, L"BUTTON", L"Large List", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 0, 1440,
     2160, 1215, 375},
}};
constexpr ControlSpec kCommand1{kConfigCommand1,
                                L"BUTTON",
                                L"Update Tabs",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                                0,
                                2640,
                                2160,
                                1695,
                                375};
// Beside "New Tab Section Name:", clear of the labels above and below it.
constexpr ControlSpec kShortcut{kConfigShortcut,
                                L"BUTTON",
                                L"Taskbar Shortcut",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
                                0,
                                2640,
                                840,
                                1695,
                                330};

// Owns a font; moving hands it on, copying is not possible.
class UniqueFont {
  public:
    UniqueFont() = default;
    explicit UniqueFont(HFONT font) : font_(font) {}
    UniqueFont(UniqueFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
    UniqueFont& operator=(UniqueFont&& other) noexcept {
        if (this != &other) {
            Reset();
            font_ = std::exchange(other.font_, nullptr);
        }
        return *this;
    }
    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;
    ~UniqueFont() { Reset(); }
    HFONT Get() const { return font_; }

  private:
    void Reset() {
        if (font_) DeleteObject(font_);
        font_ = nullptr;
    }
    HFONT font_ = nullptr;
};

// Selects an object into a DC for one scope and puts the previous one back.
class SelectScope {
  public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectScope() { SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// Calibri where it is installed; systems without it (older Windows, Wine) get Tahoma, the face of
// the program's other captions, rather than whatever the font mapper would pick.
const wchar_t* FaceName() {
    static const wchar_t* face = [] {
        LOGFONTW query{};
        query.lfCharSet = DEFAULT_CHARSET;
        lstrcpynW(query.lfFaceName, L"Calibri", LF_FACESIZE);
        bool found = false;
        HDC screen = GetDC(nullptr);
        EnumFontFamiliesExW(screen, &query, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
        return found ? L"Calibri" : L"Tahoma";
    }();
    return face;
}

bool CaptionsFit(HFONT font, int dpi) {
    HDC screen = GetDC(nullptr);
    bool fit = true;
    {
        SelectScope select(screen, font);
        for (const ControlSpec& spec : kFixedControls) {
            if (lstrcmpW(spec.className, L"STATIC") != 0) continue;
            SIZE extent{};
            GetTextExtentPoint32W(screen, spec.text, lstrlenW(spec.text), &extent);
            if (extent.cx > TwipsToPixels(spec.width, dpi)) fit = false;
        }
    }
    ReleaseDC(nullptr, screen);
    return fit;
}

// The fixed label widths were made for Calibri, a narrow face. A wider stand-in would cut the
// captions off, so it is made smaller, a pixel at a time, until every caption fits.
UniqueFont CreateUiFont(int dpi) {
    const int smallest = TwipsToPixels(kSmallestFontHeightTwips, dpi);
    for (int height = TwipsToPixels(kFontHeightTwips, dpi);; --height) {
        UniqueFont font(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    CLEARTYPE_QUALITY, DEFAULT_PITCH, FaceName()));
        if (height <= smallest || CaptionsFit(font.Get(), dpi)) return font;
    }
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

class ConfigWindowHost::Form final : public ConfigWindowView {
  public:
    Form(ConfigWindowHost& host, DropWindow& drop)
        : host_(host), drop_(drop), logic_(drop, *this) {}
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool Create() {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        if (!RegisterWindowClass(instance, Proc)) return false;
        CreateWindowExW(0, kClassName, L"Config", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
        return hwnd_ != nullptr;
    }

    HWND Window() const { return hwnd_; }
    ConfigWindow& Logic() { return logic_; }

    void ShowTabCaption(int k, const std::string& caption) override {
        HWND label = Control(kConfigFirstTab + k);
        SetWindowTextW(label, Widen(caption).c_str());
        SetLabelTabStop(label, !caption.empty());
        SizeTab(k);
    }
    int TabWidthTwips(int k) override { return PixelsToTwips(TabWidthPixels(k), dpi_); }
    void MoveTab(int k, int leftTwips) override {
        tabLefts_[static_cast<std::size_t>(k)] = leftTwips;
        SetWindowPos(Control(kConfigFirstTab + k), nullptr, TwipsToPixels(leftTwips, dpi_),
                     TwipsToPixels(kConfigTabTopTwips, dpi_), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void ShowTabNumber(const std::string& text) override {
        SetWindowTextW(Control(kConfigLabel3), Widen(text).c_str());
    }
    void ShowEditText(const std::string& text) override {
        // EN_CHANGE arrives inside SetWindowTextW; the logic has already done what the change
        // calls for.
        settingText_ = true;
        SetWindowTextW(Control(kConfigText1), Widen(text).c_str());
        settingText_ = false;
    }
    void FocusEditText() override { SetFocus(Control(kConfigText1)); }
    void CheckStyleOption(bool small) override {
        // BM_SETCHECK sends no BN_CLICKED, so the switch the logic runs is the only one.
        SendMessageW(Control(kConfigOption1), BM_SETCHECK, small ? BST_CHECKED : BST_UNCHECKED, 0);
        SendMessageW(Control(kConfigOption2), BM_SETCHECK, small ? BST_UNCHECKED : BST_CHECKED, 0);
    }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* form =
                static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            form->hwnd_ = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
        }
        auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (!form) return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            form->hwnd_ = nullptr;
            LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
            form->host_.FormDestroyed(form);  // may delete form
            return result;
        }
        try {
            return form->Handle(message, wParam, lParam);
        } catch (...) {
            // Only an allocation can throw here; the message is left to the default handling
            // rather than letting the exception unwind through user32.
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
    }

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_CREATE:
                // Before the first frame is drawn, so a dark title bar is never first white.
                look_.Update(hwnd_);
                windowDpi_ = WindowDpi(hwnd_);
                dpi_ = FittedDpi(nullptr);
                font_ = CreateUiFont(dpi_);
                CreateControls();
                FitWindow(nullptr);
                return 0;
            case WM_COMMAND:
                OnCommand(LOWORD(wParam), HIWORD(wParam));
                return 0;
            case WM_ACTIVATE:
                // The focused control is remembered on leaving and given back on return, as in a
                // dialog box.
                if (LOWORD(wParam) == WA_INACTIVE) {
                    HWND focus = GetFocus();
                    if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
                }
                break;
            case WM_SETFOCUS: {
                HWND target =
                    lastFocus_ && IsChild(hwnd_, lastFocus_) ? lastFocus_ : Control(kConfigText1);
                SetFocus(target);
                return 0;
            }
            case WM_DPICHANGED: {
                if (HIWORD(wParam) == 0 || !lParam) return 0;  // not from the system
                // The controls keep the old font until FitWindow hands them the new one.
                UniqueFont old = std::move(font_);
                const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
                windowDpi_ = HIWORD(wParam);
                dpi_ = FittedDpi(suggested);
                font_ = CreateUiFont(dpi_);
                FitWindow(suggested);
                return 0;
            }
            case WM_SETTINGCHANGE:
            case WM_SYSCOLORCHANGE:
            case WM_THEMECHANGED:
            case WM_DWMCOMPOSITIONCHANGED:
                if (message == WM_DWMCOMPOSITIONCHANGED) look_.Forget();
                if ((message == WM_THEMECHANGED || message == WM_DWMCOMPOSITIONCHANGED ||
                     IsLookSettingChange(message, wParam, lParam)) &&
                    look_.Update(hwnd_)) {
                    RedrawWindow(hwnd_, nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
                }
                break;
            case WM_CLOSE:
                // Closing in the middle of an action (a switch pumping messages) would destroy the
                // logic under it; the user can close again a moment later.
                if (!drop_.Guard().Busy()) DestroyWindow(hwnd_);
                return 0;
            default:
                break;
        }
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }

    void OnCommand(int id, int code) {
        bool clicked = code == STN_CLICKED || code == STN_DBLCLK;
        if (id >= kConfigFirstTab && id < kConfigFirstTab + kTabCount) {
            if (clicked) logic_.TabClick(id - kConfigFirstTab);
        } else if (id == kConfigLabel5) {
            if (clicked) logic_.NewTabClick();
        } else if (id == kConfigText1) {
            if (code == EN_CHANGE && !settingText_) {
                logic_.TextChanged(Narrow(WindowText(Control(kConfigText1))));
            }
        } else if (id == kConfigOption1 || id == kConfigOption2) {
            if (code == BN_CLICKED)
                logic_.OptionClick(id == kConfigOption1 ? kSmallStyle : kLargeStyle);
        } else if (id == kConfigShortcut && code == BN_CLICKED) {
            logic_.ShortcutClick();
        } else if ((id == kConfigCommand1 || id == IDOK) && code == BN_CLICKED) {
            // Enter, through the dialog manager, as "Update Tabs" is the default button.
            logic_.UpdateTabsClick();
        } else if (id == IDCANCEL) {
            // Esc closes as the close box does, busy guard included. Nothing of the form may be
            // touched after it.
            SendMessageW(hwnd_, WM_CLOSE, 0, 0);
        }
    }

    void CreateControls() {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        auto create = [&](const ControlSpec& spec) {
            CreateWindowExW(spec.exStyle, spec.className, spec.text, spec.style, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance,
                            nullptr);
        };
        for (std::size_t i = 0; i < 3; ++i) create(kFixedControls[i]);
        for (int k = 0; k < kTabCount; ++k) {
            create({kConfigFirstTab + k, L"STATIC", L"", kLabel | SS_NOTIFY, 0, 0, 0, 0, 0});
            MakeKeyboardLabel(Control(kConfigFirstTab + k));
            tabLefts_[static_cast<std::size_t>(k)] =
                kConfigTabFirstLeftTwips + kConfigTabDesignStepTwips * k;
        }
        // In the tab order where it stands: after the tab names, before "New Tab".
        create(kShortcut);
        for (std::size_t i = 3; i < kFixedControls.size(); ++i) create(kFixedControls[i]);
        create(kCommand1);
        MakeKeyboardLabel(Control(kConfigLabel5));
    }

    // The window's DPI, or a lower one where the layout would not fit the work area of the
    // monitor that holds `suggested` (the window's own when null).
    int FittedDpi(const RECT* suggested) const {
        SIZE frame = FrameSize(hwnd_, windowDpi_);
        RECT work = MonitorAreasOf(hwnd_, suggested).work;
        return FitDpi(windowDpi_, kClientWidthTwips, kClientHeightTwips, frame.cx, frame.cy,
                      work.right - work.left, work.bottom - work.top);
    }

    // Sizes the window and places every control for the current DPI; suggested is the rectangle
    // WM_DPICHANGED proposes, or null to keep the window where it is.
    void FitWindow(const RECT* suggested) {
        POINT topLeft{suggested ? suggested->left : 0, suggested ? suggested->top : 0};
        SetClientSize(
            hwnd_,
            {TwipsToPixels(kClientWidthTwips, dpi_), TwipsToPixels(kClientHeightTwips, dpi_)},
            windowDpi_, suggested ? &topLeft : nullptr);
        auto place = [&](const ControlSpec& spec) {
            HWND control = Control(spec.id);
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
            SetWindowPos(control, nullptr, TwipsToPixels(spec.left, dpi_),
                         TwipsToPixels(spec.top, dpi_), TwipsToPixels(spec.width, dpi_),
                         TwipsToPixels(spec.height, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
        };
        for (const ControlSpec& spec : kFixedControls) place(spec);
        place(kCommand1);
        place(kShortcut);
        for (int k = 0; k < kTabCount; ++k) {
            SendMessageW(Control(kConfigFirstTab + k), WM_SETFONT,
                         reinterpret_cast<WPARAM>(font_.Get()), FALSE);
            SizeTab(k);
            MoveTab(k, tabLefts_[static_cast<std::size_t>(k)]);
        }
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

    // A tab label is exactly as wide as its text, so a click beside the text selects nothing.
    void SizeTab(int k) {
        SetWindowPos(Control(kConfigFirstTab + k), nullptr, 0, 0, TabWidthPixels(k),
                     TwipsToPixels(kTabHeightTwips, dpi_),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    int TabWidthPixels(int k) {
        std::wstring text = WindowText(Control(kConfigFirstTab + k));
        if (text.empty()) return 0;
        HDC dc = GetDC(hwnd_);
        SIZE size{};
        {
            SelectScope font(dc, font_.Get());
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        }
        ReleaseDC(hwnd_, dc);
        return size.cx;
    }

    HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

    ConfigWindowHost& host_;
    DropWindow& drop_;
    ConfigWindow logic_;
    HWND hwnd_ = nullptr;
    WindowLookKeeper look_{CurrentDesktop(), WindowKind::Config};
    int windowDpi_ = kDefaultDpi;  // the window's own, as WM_DPICHANGED last told
    int dpi_ = kDefaultDpi;        // what the layout is made at: windowDpi_ or less, to fit
    UniqueFont font_;
    std::array<int, kTabCount> tabLefts_{};
    HWND lastFocus_ = nullptr;
    bool settingText_ = false;
};

ConfigWindowHost::ConfigWindowHost(DropWindow& drop) : drop_(drop) {}

ConfigWindowHost::~ConfigWindowHost() {
    Close();
}

void ConfigWindowHost::Show() {
    if (form_) {
        if (IsIconic(form_->Window())) ShowWindow(form_->Window(), SW_RESTORE);
        SetForegroundWindow(form_->Window());
        return;
    }
    if (drop_.Guard().Busy()) return;
    auto form = std::make_unique<Form>(*this, drop_);
    form->Logic().onMakeShortcut = onMakeShortcut;
    form->Logic().onTabsStored = onTabsStored;
    if (!form->Create()) return;
    form_ = std::move(form);
    HWND window = form_->Window();
    if (!form_->Logic().Open()) {
        DestroyWindow(window);
        return;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

void ConfigWindowHost::Close() {
    if (form_) DestroyWindow(form_->Window());
}

HWND ConfigWindowHost::Window() const {
    return form_ ? form_->Window() : nullptr;
}

bool ConfigWindowHost::TranslateDialogMessage(MSG& msg) {
    if (!form_) return false;
    HWND window = form_->Window();
    if (msg.hwnd != window && !IsChild(window, msg.hwnd)) return false;
    return IsDialogMessageW(window, &msg) != FALSE;
}

void ConfigWindowHost::FormDestroyed(const Form* form) {
    // A form whose creation failed is still owned by Show, which frees it.
    if (form_.get() == form) form_.reset();
}

}  // namespace vantry
