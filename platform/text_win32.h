#pragma once
// Strings are UTF-8 inside the program; Win32 calls take UTF-16. These convert at the call.

#include <windows.h>

#include <string>

namespace vantry {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// The bytes of text in a code page, or false when a character has no exact form there (a
// best-fit or default character would store a different path). ToAnsi uses the system's ANSI
// code page, which may be UTF-8.
bool ToCodePage(const std::string& utf8, unsigned codePage, std::string& bytes);
bool ToAnsi(const std::string& utf8, std::string& ansi);
std::string FromAnsi(const std::string& ansi);

// The system's text for an error code, without the closing line break.
std::string SystemMessage(unsigned long error);

// The text in lower case by the rules of the user's language (LCMapStringEx), so that captions
// match typed text whatever their script; the text unchanged should the system refuse it.
std::string FoldCase(const std::string& utf8);

// A window's text, as GetWindowTextW gives it.
std::wstring WindowText(HWND window);

}  // namespace vantry
