#include "platform/text_win32.h"

#include <windows.h>

namespace vantry {

std::wstring Widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), length,
                        nullptr, nullptr);
    return utf8;
}

std::string FoldCase(const std::string& utf8) {
    std::wstring wide = Widen(utf8);
    if (wide.empty()) return {};
    const DWORD flags = LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;
    const int count = static_cast<int>(wide.size());
    int length = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), count, nullptr, 0,
                               nullptr, nullptr, 0);
    if (length <= 0) return utf8;
    std::wstring folded(static_cast<std::size_t>(length), L'\0');
    length = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), count, folded.data(),
                           length, nullptr, nullptr, 0);
    if (length <= 0) return utf8;
    folded.resize(static_cast<std::size_t>(length));
    return Narrow(folded);
}

bool ToCodePage(const std::string& utf8, unsigned codePage, std::string& bytes) {
    bytes.clear();
    std::wstring wide = Widen(utf8);
    if (wide.empty()) return true;
    // UTF-8 holds every character, and takes neither the best-fit flag nor the default-character
    // report: with either the conversion fails outright.
    const bool utf8Page = codePage == CP_UTF8;
    const DWORD flags = utf8Page ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* report = utf8Page ? nullptr : &usedDefault;
    const int count = static_cast<int>(wide.size());
    int length =
        WideCharToMultiByte(codePage, flags, wide.data(), count, nullptr, 0, nullptr, report);
    if (length <= 0 || usedDefault) return false;
    bytes.resize(static_cast<std::size_t>(length));
    WideCharToMultiByte(codePage, flags, wide.data(), count, bytes.data(), length, nullptr, report);
    return !usedDefault;
}

bool ToAnsi(const std::string& utf8, std::string& ansi) {
    return ToCodePage(utf8, GetACP(), ansi);
}

std::string FromAnsi(const std::string& ansi) {
    if (ansi.empty()) return {};
    int length =
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), length);
    return Narrow(wide);
}

std::string SystemMessage(unsigned long error) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(error);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return Narrow(text);
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace vantry
