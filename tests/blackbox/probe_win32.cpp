// vantry_probe: lets the black-box suite see Win32 windows that X tools cannot (child windows)
// and read their texts. Run under the same wineserver as the program it looks at.
//
//   vantry_probe.exe list [CLASS...]   one line per matching top-level window and per descendant:
//       top|child <TAB> hwnd <TAB> parent hwnd <TAB> class <TAB> visible 0/1 <TAB>
//       left top right bottom (screen pixels) <TAB> text <TAB> check state of a button
//     Without classes every visible top-level window is listed (children left out).
//   vantry_probe.exe end HWND          ends the process that owns a top-level window (a program
//                                      that the item launch started).
//   vantry_probe.exe press HWND        presses a button by its own message, not by X input (a
//                                      box shown while Wine handles an X drop gets no X input).
//   vantry_probe.exe clipboard         prints the first path of the clipboard's file list
//   (CF_HDROP),
//                                      or ends with 1 when it holds none.
//   vantry_probe.exe droptarget X Y    shows a small window "vantry-probe-drop" at X, Y that takes
//       OLE drops as a file manager would (move where the source allows it, else copy, else link)
//       and prints "drop <TAB> first CF_HDROP path <TAB> allowed effects <TAB> chosen effect",
//       then ends; ends with 1 after 60 seconds without a drop.
#include <windows.h>
// ole2.h and shellapi.h need the types of windows.h first.
#include <ole2.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::string ToUtf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr,
                                   0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

// WM_GETTEXT is marshalled across processes, so this reads what the control itself reports;
// the time-out keeps a hung program from hanging the probe.
std::wstring TextOf(HWND hwnd) {
    wchar_t buffer[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 2000, &copied)) {
        InternalGetWindowText(hwnd, buffer, 1024);
    }
    std::wstring text(buffer);
    // One line per window: line breaks and tabs would split the record.
    for (wchar_t& c : text) {
        if (c == L'\t' || c == L'\r' || c == L'\n') c = L' ';
    }
    return text;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

void Print(const char* kind, HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    HWND parent = GetAncestor(hwnd, GA_PARENT);
    std::wstring name = ClassOf(hwnd);
    // Radio buttons show their state only through BM_GETCHECK.
    DWORD_PTR check = 0;
    bool button = lstrcmpiW(name.c_str(), L"Button") == 0;
    if (button) SendMessageTimeoutW(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &check);
    std::printf("%s\t%p\t%p\t%s\t%d\t%ld %ld %ld %ld\t%s\t%s\n", kind, static_cast<void*>(hwnd),
                static_cast<void*>(parent), ToUtf8(name).c_str(), IsWindowVisible(hwnd) ? 1 : 0,
                r.left, r.top, r.right, r.bottom, ToUtf8(TextOf(hwnd)).c_str(),
                button ? (check == BST_CHECKED ? "checked" : "unchecked") : "");
}

BOOL CALLBACK PrintChild(HWND hwnd, LPARAM) {
    Print("child", hwnd);
    return TRUE;
}

struct Query {
    std::vector<std::wstring> classes;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<Query*>(param);
    if (query->classes.empty()) {
        if (IsWindowVisible(hwnd)) query->found.push_back(hwnd);
        return TRUE;
    }
    std::wstring name = ClassOf(hwnd);
    for (const std::wstring& wanted : query->classes) {
        if (name == wanted) {
            query->found.push_back(hwnd);
            break;
        }
    }
    return TRUE;
}

int List(const std::vector<std::wstring>& classes) {
    Query query{classes, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&query));
    for (HWND hwnd : query.found) {
        Print("top", hwnd);
        // Enumerates every descendant, so the strip's captions come too.
        if (!classes.empty()) EnumChildWindows(hwnd, PrintChild, 0);
    }
    std::fflush(stdout);
    return 0;
}

HWND HandleOf(const wchar_t* text) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(std::wcstoull(text, nullptr, 16)));
}

int End(const wchar_t* handleText) {
    HWND hwnd = HandleOf(handleText);
    DWORD pid = 0;
    if (!IsWindow(hwnd) || !GetWindowThreadProcessId(hwnd, &pid) || pid == 0) return 1;
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return 1;
    BOOL ended = TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    return ended ? 0 : 1;
}

std::wstring FirstDroppedFile(HGLOBAL files) {
    wchar_t buffer[MAX_PATH] = {};
    DragQueryFileW(static_cast<HDROP>(files), 0, buffer, MAX_PATH);
    return buffer;
}

int ClipboardFile() {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE files = GetClipboardData(CF_HDROP);
    std::wstring path = files ? FirstDroppedFile(files) : std::wstring();
    CloseClipboard();
    if (path.empty()) return 1;
    std::printf("%s\n", ToUtf8(path).c_str());
    return 0;
}

int Press(const wchar_t* handleText) {
    HWND hwnd = HandleOf(handleText);
    return IsWindow(hwnd) && PostMessageW(hwnd, BM_CLICK, 0, 0) ? 0 : 1;
}

class ProbeTarget final : public IDropTarget {
  public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override {
        *effect = Choose(*effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        *effect = Choose(*effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        DWORD allowed = *effect;
        *effect = Choose(allowed);
        std::wstring path;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (SUCCEEDED(data->GetData(&format, &medium))) {
            path = FirstDroppedFile(medium.hGlobal);
            ReleaseStgMedium(&medium);
        }
        std::printf("drop\t%s\t%lu\t%lu\n", ToUtf8(path).c_str(), allowed, *effect);
        std::fflush(stdout);
        PostQuitMessage(0);
        return S_OK;
    }

  private:
    static DWORD Choose(DWORD allowed) {
        for (DWORD effect :
             {DWORD{DROPEFFECT_MOVE}, DWORD{DROPEFFECT_COPY}, DWORD{DROPEFFECT_LINK}}) {
            if (allowed & effect) return effect;
        }
        return DROPEFFECT_NONE;
    }
};

int DropTarget(const wchar_t* xText, const wchar_t* yText) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    // Shown only once it takes drops: the suite starts its drag when the window shows.
    HWND window =
        CreateWindowExW(WS_EX_TOPMOST, L"Static", L"vantry-probe-drop", WS_POPUP | WS_BORDER,
                        static_cast<int>(std::wcstol(xText, nullptr, 10)),
                        static_cast<int>(std::wcstol(yText, nullptr, 10)), 120, 80, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    ProbeTarget target;
    if (!window || FAILED(RegisterDragDrop(window, &target))) return 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(nullptr, 0, 60000, nullptr);
    MSG msg;
    int result = 1;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr) break;
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_QUIT) result = 0;
    RevokeDragDrop(window);
    DestroyWindow(window);
    OleUninitialize();
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wcscmp(argv[1], L"list") == 0) {
        return List(std::vector<std::wstring>(argv + 2, argv + argc));
    }
    if (argc == 3 && std::wcscmp(argv[1], L"end") == 0) return End(argv[2]);
    if (argc == 3 && std::wcscmp(argv[1], L"press") == 0) return Press(argv[2]);
    if (argc == 2 && std::wcscmp(argv[1], L"clipboard") == 0) return ClipboardFile();
    if (argc == 4 && std::wcscmp(argv[1], L"droptarget") == 0) return DropTarget(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: vantry_probe list [CLASS...] | end HWND | press HWND | clipboard | "
                 "droptarget X Y\n");
    return 2;
}
