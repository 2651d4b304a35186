// A look-alike dwmapi.dll, planted beside Vantry.exe by the black-box suite: once loaded it
// leaves a marker file beside itself. It exports the DWM functions a program might import, so a
// program that imports dwmapi at load time would start with it rather than fail to.
#include <windows.h>

#include <string>

extern "C" {

__declspec(dllexport) HRESULT WINAPI DwmExtendFrameIntoClientArea(HWND, const void*) {
    return S_OK;
}
__declspec(dllexport) HRESULT WINAPI DwmSetWindowAttribute(HWND, DWORD, const void*, DWORD) {
    return S_OK;
}
__declspec(dllexport) HRESULT WINAPI DwmGetWindowAttribute(HWND, DWORD, void*, DWORD) {
    return E_FAIL;
}
__declspec(dllexport) HRESULT WINAPI DwmIsCompositionEnabled(BOOL* enabled) {
    if (enabled) *enabled = FALSE;
    return S_OK;
}
__declspec(dllexport) BOOL WINAPI DwmDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}
__declspec(dllexport) HRESULT WINAPI DwmFlush() {
    return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    path.resize(path.find_last_of(L'\\') + 1);
    path += L"planted-dwmapi-loaded.txt";
    HANDLE marker = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    return TRUE;
}

}  // extern "C"
