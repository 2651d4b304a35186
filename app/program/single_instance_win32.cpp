#include "app/program/single_instance_win32.h"

#include <cstdint>
#include <cwchar>

#include "platform/window_class_win32.h"
#include "store/program_folder_win32.h"

namespace vantry {

namespace {

constexpr const wchar_t* kClassName = L"VantryInstance";
// WM_COPYDATA's mark for a later start's request (its UTF-8 form, EncodeRequest); the running
// copy answers kHandledReply when it came to the front and took the request.
constexpr ULONG_PTR kRequestMark = 0x56414E52;  // "VANR"
constexpr LRESULT kHandledReply = 0x56414E54;   // "VANT"
constexpr DWORD kLongestRequest = 65536;
// Posted to its own window: the requests taken are carried out from the message loop.
constexpr UINT kCarryOutMessage = WM_APP + 2;
constexpr UINT kAnswerTimeoutMs = 5000;
// How long a later start waits for the running copy's window to appear (it may be starting too)
// or for an ending copy to let go of the folder.
constexpr DWORD kLookTimeoutMs = 10000;
constexpr DWORD kLookStepMs = 50;

class Token {
  public:
    explicit Token(HANDLE process) {
        if (!OpenProcessToken(process, TOKEN_QUERY, &token_)) token_ = nullptr;
    }
    ~Token() {
        if (token_) CloseHandle(token_);
    }
    Token(const Token&) = delete;
    Token& operator=(const Token&) = delete;

    bool Elevated() const {
        TOKEN_ELEVATION elevation{};
        DWORD size = 0;
        return token_ &&
               GetTokenInformation(token_, TokenElevation, &elevation, sizeof(elevation), &size) &&
               elevation.TokenIsElevated;
    }
    // The mandatory integrity level (a RID such as SECURITY_MANDATORY_MEDIUM_RID), or nothing.
    bool Integrity(DWORD& level) const {
        alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[64];
        DWORD size = 0;
        if (!token_ ||
            !GetTokenInformation(token_, TokenIntegrityLevel, buffer, sizeof(buffer), &size)) {
            return false;
        }
        PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid;
        UCHAR count = *GetSidSubAuthorityCount(sid);
        if (count == 0) return false;
        level = *GetSidSubAuthority(sid, count - 1u);
        return true;
    }

  private:
    HANDLE token_ = nullptr;
};

// Whether the copy that owns window runs with no more rights than this one. When that cannot be
// told, it does not count as such: this start then runs by itself.
bool MayHandOverTo(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return false;
    DWORD theirs = 0;
    DWORD ours = 0;
    bool known = Token(process).Integrity(theirs) && Token(GetCurrentProcess()).Integrity(ours);
    CloseHandle(process);
    return known && theirs <= ours;
}

bool HandOver(HWND window, const std::string& request) {
    if (!MayHandOverTo(window)) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    // Started by the user, this copy may set the foreground window; the running copy may not,
    // unless handed that right.
    AllowSetForegroundWindow(pid);
    COPYDATASTRUCT data{kRequestMark, static_cast<DWORD>(request.size()),
                        const_cast<char*>(request.data())};
    DWORD_PTR reply = 0;
    return SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &reply) &&
           reply == static_cast<DWORD_PTR>(kHandledReply);
}

// Text from a function that fills a buffer and, when the buffer is too small, gives the size it
// needs; empty when the function fails.
template <typename Fill>
std::wstring Filled(Fill fill) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length == 0) return {};
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length);
    }
}

// Object names are limited in length; a folder's path is not. 64-bit FNV-1a of the key.
std::wstring ObjectName(const std::wstring& key) {
    std::uint64_t hash = 14695981039346656037ull;
    for (wchar_t c : key) {
        hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
    }
    wchar_t text[17];
    std::swprintf(text, 17, L"%016llx", static_cast<unsigned long long>(hash));
    std::wstring name = L"Vantry-" + std::wstring(text);
    if (Token(GetCurrentProcess()).Elevated()) name += L"-Admin";
    return name;
}

// For a folder that cannot be opened: resolves "." and "..", "/" and a relative spelling, then
// 8.3 names to long ones.
std::wstring SpelledKey(const std::wstring& folder) {
    std::wstring full = Filled([&folder](wchar_t* buffer, DWORD size) {
        return GetFullPathNameW(folder.c_str(), size, buffer, nullptr);
    });
    if (full.empty()) full = folder;
    std::wstring key = Filled([&full](wchar_t* buffer, DWORD size) {
        return GetLongPathNameW(full.c_str(), buffer, size);
    });
    if (key.empty()) key = full;  // a folder that cannot be looked up keeps the spelling given
    return key;
}

}  // namespace

std::wstring FolderKey(const std::wstring& folder) {
    // A bare drive ("R:") names the current folder on that drive: the program's folder is its
    // root, whichever way the key is made.
    const std::wstring path = folder.size() == 2 && folder[1] == L':' ? folder + L"\\" : folder;
    std::wstring key = FolderIdentity(path);
    if (key.empty()) key = SpelledKey(path);
    while (key.size() > 1 && key.back() == L'\\') key.pop_back();
    // Names differing in case are one folder on the file systems Windows runs from.
    if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

SingleInstance::SingleInstance(const std::wstring& folder, const StartRequest& request) {
    const std::string handed = EncodeRequest(request);
    std::wstring name = ObjectName(FolderKey(folder));
    mutex_ = CreateMutexW(nullptr, FALSE, (L"Local\\" + name).c_str());
    // Without the mutex (another user's copy holds the name) there is nothing to agree on.
    if (!mutex_) return;
    const ULONGLONG deadline = GetTickCount64() + kLookTimeoutMs;
    do {
        // A copy that crashed leaves its mutex abandoned, which hands it to the next waiter.
        DWORD wait = WaitForSingleObject(mutex_, kLookStepMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) {
            owner_ = true;
            break;
        }
        HWND running = FindWindowExW(HWND_MESSAGE, nullptr, kClassName, name.c_str());
        if (running && HandOver(running, handed)) {
            run_ = false;
            return;
        }
    } while (GetTickCount64() < deadline);
    // The running copy neither answers nor ends (it hangs): rather than leave the user with
    // nothing, this copy runs beside it; saves merge, so neither loses the other's items.
    if (!owner_) return;
    RegisterWindowClassOnce(kClassName, WndProc, nullptr);
    window_ = CreateWindowExW(0, kClassName, name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
}

SingleInstance::~SingleInstance() {
    Leave();
}

void SingleInstance::Leave() {
    // The window goes first: a start that finds the folder free must not find this copy.
    if (window_) DestroyWindow(window_);
    window_ = nullptr;
    if (owner_) ReleaseMutex(mutex_);
    owner_ = false;
    if (mutex_) CloseHandle(mutex_);
    mutex_ = nullptr;
}

LRESULT CALLBACK SingleInstance::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    SingleInstance* self = WindowOwner(hwnd, msg, lParam, &SingleInstance::window_);
    if (self && msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        // Any process may send this: only a well-formed request is taken.
        if (!data || data->dwData != kRequestMark || data->cbData > kLongestRequest ||
            (data->cbData > 0 && !data->lpData)) {
            return 0;
        }
        try {
            std::optional<StartRequest> request =
                DecodeRequest(std::string(static_cast<const char*>(data->lpData), data->cbData));
            if (!request || !self->bringToFront_ || !self->bringToFront_()) return 0;
            // Carried out later: the later start waits for this answer, and opening an item may
            // ask the user something first.
            if (request->kind != StartRequest::Kind::None) {
                self->pending_.push_back(*request);
                PostMessageW(hwnd, kCarryOutMessage, 0, 0);
            }
            return kHandledReply;
        } catch (...) {
            return 0;  // no exception crosses a window procedure
        }
    }
    if (self && msg == kCarryOutMessage) {
        if (self->pending_.empty()) return 0;
        StartRequest request = self->pending_.front();
        self->pending_.erase(self->pending_.begin());
        try {
            if (self->carryOut_) self->carryOut_(request);
        } catch (...) {
            // no exception crosses a window procedure
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace vantry
