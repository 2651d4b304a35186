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
#include <windows.h>

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

int Press(const wchar_t* handleText) {
    HWND hwnd = HandleOf(handleText);
    return IsWindow(hwnd) && PostMessageW(hwnd, BM_CLICK, 0, 0) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wcscmp(argv[1], L"list") == 0) {
        return List(std::vector<std::wstring>(argv + 2, argv + argc));
    }
    if (argc == 3 && std::wcscmp(argv[1], L"end") == 0) return End(argv[2]);
    if (argc == 3 && std::wcscmp(argv[1], L"press") == 0) return Press(argv[2]);
    std::fprintf(stderr, "usage: vantry_probe list [CLASS...] | end HWND | press HWND\n");
    return 2;
}
