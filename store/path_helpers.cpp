#include "store/path_helpers.h"

#include <string_view>

namespace vantry {

namespace {

constexpr std::size_t kMaxCaptionBytes = 260;

// Whether text holds "no file" in any letter case, without copying it.
bool ContainsNoFile(const std::string& text) {
    static constexpr char kNeedle[] = "no file";
    constexpr std::size_t kLength = sizeof kNeedle - 1;
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    for (std::size_t start = 0; start + kLength <= text.size(); ++start) {
        std::size_t i = 0;
        while (i < kLength && lower(text[start + i]) == kNeedle[i]) ++i;
        if (i == kLength) return true;
    }
    return false;
}

// Text without its last character (a whole UTF-8 sequence, not a byte of one).
std::string DropLastCharacter(const std::string& text) {
    std::size_t end = text.size();
    if (end == 0) return text;
    --end;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

char UpperLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The drive letter of a path such as "F:\x" (or a folder such as "F:"), upper case; else 0.
char DriveLetter(const std::string& path) {
    char letter = UpperLetter(path.empty() ? '\0' : path[0]);
    bool drive = letter >= 'A' && letter <= 'Z' && path.size() >= 2 && path[1] == ':' &&
                 (path.size() == 2 || path[2] == '\\');
    return drive ? letter : '\0';
}

// Cuts UTF-8 text to at most maxBytes without splitting a character.
std::string CutUtf8(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace

std::string DisplayName(const std::string& path) {
    if (ContainsNoFile(path)) return "";
    std::size_t length = path.size();
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        if (length > 3) return FolderName(path);
        return DropLastCharacter(path);
    }
    // The last character is not examined, so a folder's closing "\" is passed over.
    std::size_t slash = length >= 2 ? path.rfind('\\', length - 2) : std::string::npos;
    std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    if (dot >= start) return path.substr(start, dot - start);
    // The last dot lies in an earlier folder name (C:\Old.Tools\tool): the name as it stands.
    return LastName(path);
}

std::string FolderName(const std::string& path) {
    std::string trimmed = DropLastCharacter(path);
    std::size_t slash = trimmed.rfind('\\');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string LastName(const std::string& path) {
    std::string trimmed = path;
    if (trimmed.size() > 1 && trimmed.back() == '\\') trimmed.pop_back();
    std::size_t slash = trimmed.rfind('\\');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

std::string ItemCaption(const std::string& path) {
    std::string caption = DisplayName(path);
    if (caption.empty()) caption = LastName(path);
    if (caption.empty()) caption = path;
    return CutUtf8(caption, kMaxCaptionBytes);
}

bool IsShortcutPath(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = UpperLetter(c);
    return tail == ".LNK";
}

bool HasTrimmedName(const std::string& path) {
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find_first_of("\\/", start);
        if (end == std::string::npos) end = path.size();
        std::string_view name(path.data() + start, end - start);
        if (!name.empty() && name != "." && name != ".." &&
            (name.back() == '.' || name.back() == ' ')) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

ProgramDrive::ProgramDrive(const std::string& programFolder, const std::string& systemFolder) {
    char own = DriveLetter(programFolder);
    if (own != DriveLetter(systemFolder)) letter_ = own;
}

std::string ProgramDrive::Counterpart(const std::string& path) const {
    char letter = DriveLetter(path);
    if (letter_ == 0 || letter == 0 || letter == letter_ || path.size() < 3) return {};
    std::string counterpart = path;
    counterpart[0] = letter_;
    return counterpart;
}

TargetFound FindTarget(const std::string& path, const ProgramDrive& drive,
                       const std::function<TargetState(const std::string&)>& check) {
    TargetState state = check(path);
    if (state != TargetState::Missing) return {state, {}};
    std::string counterpart = drive.Counterpart(path);
    if (!counterpart.empty() && check(counterpart) == TargetState::Present) {
        return {TargetState::Present, counterpart};
    }
    return {TargetState::Missing, {}};
}

std::string WorkingFolderFor(const std::string& path) {
    if (path.empty() || path.back() == '\\' || IsShortcutPath(path)) return {};
    std::size_t slash = path.rfind('\\');
    if (slash == std::string::npos) return {};
    // "C:" alone would name the current folder of drive C: a root keeps its "\".
    return path.substr(0, slash == 2 && DriveLetter(path) ? slash + 1 : slash);
}

LaunchResult LaunchThrough(LaunchShell& shell, const std::string& path, int showCommand,
                           LaunchMode mode) {
    ShellCall call;
    call.file = shell.LongForm(path);
    call.showCommand = showCommand;
    // A folder or a drive root has no folder to show it in: it opens itself.
    if (mode == LaunchMode::ShowInFolder && !call.file.empty() && call.file.back() != '\\') {
        call.kind = ShellCall::Kind::SelectInFolder;
    } else {
        call.folder = WorkingFolderFor(call.file);
        if (mode == LaunchMode::RunAsAdministrator) call.verb = "runas";
    }
    ShellError error = shell.Call(call);
    if (error == ShellError::None) return LaunchResult::Started;
    if (error == ShellError::Cancelled) return LaunchResult::Cancelled;
    // A shell says "not found" also when the program registered for the file's type is gone.
    if (error == ShellError::NotFound && shell.Check(call.file) == TargetState::Missing) {
        return LaunchResult::NotFound;
    }
    // Nothing was started: asked again with the shell's own dialogs, which may offer a way
    // ("Open with"). A folder that would not show its item is opened as it is.
    if (call.kind == ShellCall::Kind::SelectInFolder) {
        call.kind = ShellCall::Kind::Execute;
        call.file = call.file.substr(0, call.file.rfind('\\') + 1);
    }
    call.quiet = false;
    error = shell.Call(call);
    if (error == ShellError::None) return LaunchResult::Started;
    return error == ShellError::Cancelled ? LaunchResult::Cancelled : LaunchResult::Failed;
}

}  // namespace vantry
