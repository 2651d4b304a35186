#include "tests/win32/support/temp_folder.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vantry::test {

namespace {
std::atomic<int> counter{0};
}

TempFolder::TempFolder() {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    // A name that fits 8.3 has no short name of its own. Wine makes a longer name's short name
    // from a hash that sibling folders share now and then, and a short path through such a
    // folder may then lead into a sibling left by another test.
    wchar_t name[16];
    swprintf(name, 16, L"vt%06lx.%03x", GetCurrentProcessId() & 0xffffff, (counter++) & 0xfff);
    std::filesystem::path dir = std::filesystem::path(base) / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    std::u8string u8 = dir.u8string();
    path_.assign(u8.begin(), u8.end());
    while (!path_.empty() && (path_.back() == '\\' || path_.back() == '/')) path_.pop_back();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::u8string u8(path_.begin(), path_.end());
    std::filesystem::path dir(u8);
    for (auto& entry : std::filesystem::recursive_directory_iterator(dir, ec)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    SetFileAttributesW(dir.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(dir, ec);
}

std::vector<std::string> TempFolder::Names() const {
    std::vector<std::string> names;
    std::u8string u8(path_.begin(), path_.end());
    std::error_code ec;
    for (auto& entry : std::filesystem::directory_iterator(std::filesystem::path(u8), ec)) {
        std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ReadBytes(const std::string& path) {
    std::u8string u8(path.begin(), path.end());
    std::ifstream in(std::filesystem::path(u8), std::ios::binary);
    if (!in) return "<absent>";
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::u8string u8(path.begin(), path.end());
    std::ofstream out(std::filesystem::path(u8), std::ios::binary | std::ios::trunc);
    out << bytes;
}

}  // namespace vantry::test
