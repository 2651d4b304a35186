#include "store/path_helpers.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace vantry {
namespace {

TEST(DisplayName, WorkedExamplesHoldToTheByte) {
    EXPECT_EQ(DisplayName("C:\\"), "C:");
    EXPECT_EQ(DisplayName("C:\\Docs\\notes.txt"), "notes");
    EXPECT_EQ(DisplayName("C:\\Docs\\report.final.pdf"), "report.final");
    EXPECT_EQ(DisplayName("C:\\Apps\\Editor.exe"), "Editor");
    EXPECT_EQ(DisplayName("C:\\Links\\Mail.lnk"), "Mail");
    EXPECT_EQ(DisplayName("C:\\Games\\"), "Games");
    EXPECT_EQ(DisplayName("D:\\Photos\\Summer.Trip\\"), "Summer");
    EXPECT_EQ(DisplayName("C:\\Tools\\README"), "READM");
    EXPECT_EQ(DisplayName("C:\\x\\.profile"), "");
    EXPECT_EQ(DisplayName("C:\\Data\\NO FILE here.txt"), "");
}

TEST(DisplayName, NoFileMatchesInAnyLetterCase) {
    EXPECT_EQ(DisplayName("C:\\no file\\a.txt"), "");
    EXPECT_EQ(DisplayName("C:\\x\\No FiLe"), "");
    EXPECT_EQ(DisplayName("C:\\nofile.txt"), "nofile");
}

TEST(DisplayName, DropBlocksFollowTheirLastPath) {
    EXPECT_EQ(DisplayName("C:\\Docs\\notes.txt\r\n"), "notes");
    EXPECT_EQ(DisplayName("C:\\Games\\\r\n"), "\r");
}

TEST(DisplayName, CasesLeftOpenGetTheLastNameAsItStands) {
    EXPECT_EQ(DisplayName("C:\\Old.Tools\\tool"), "tool");
    EXPECT_EQ(DisplayName("C:\\Old.Tools\\tool\\"), "tool");
    EXPECT_FALSE(DisplayName("C:\\a.txt\r\nC:\\Games\\\r\n").empty());
}

TEST(DisplayName, ShortAndOddPathsDoNotCrash) {
    EXPECT_EQ(DisplayName(""), "");
    EXPECT_EQ(DisplayName("C"), "");
    EXPECT_EQ(DisplayName("."), "");
    EXPECT_EQ(DisplayName("\\"), "");
    EXPECT_EQ(DisplayName("a.b"), "a");
}

TEST(FolderName, DropsTheLastCharacterThenTakesTheLastName) {
    EXPECT_EQ(FolderName("C:\\Games\\"), "Games");
    EXPECT_EQ(FolderName("C:\\Users\\Bob\\Documents\\"), "Documents");
    EXPECT_EQ(FolderName("C:\\Tools\\README"), "READM");
    EXPECT_EQ(FolderName(""), "");
    EXPECT_EQ(FolderName("C:\\Tools\\R\xC3\x89"
                         "ADM\xC3\x89"),
              "R\xC3\x89"
              "ADM");  // a whole character
}

TEST(ItemCaption, IsNeverEmptyForARealItem) {
    EXPECT_EQ(ItemCaption("C:\\x\\.profile"), ".profile");
    EXPECT_EQ(ItemCaption("C:\\Data\\NO FILE here.txt"), "NO FILE here.txt");
    EXPECT_EQ(ItemCaption("C:\\Data\\no file\\"), "no file");
    EXPECT_EQ(ItemCaption("C:\\Docs\\notes.txt"), "notes");
    EXPECT_EQ(ItemCaption("C:\\"), "C:");
}

TEST(ItemCaption, IsCutAtACharacterBoundaryForHugeLines) {
    std::string path = "C:\\" + std::string(1000, 'a');
    for (int i = 0; i < 300; ++i) path += "\xC3\xA9";  // é
    std::string caption = ItemCaption(path);
    EXPECT_LE(caption.size(), 260u);
    EXPECT_FALSE(caption.empty());
    std::string folder = "C:\\x\\" + std::string(259, 'b') + "\xC3\xA9\\";
    EXPECT_EQ(ItemCaption(folder), std::string(259, 'b'));  // the last character does not fit whole
}

std::string Found(const TargetFound& found) {
    static const char* const kStates[] = {"unknown", "present", "missing"};
    return kStates[static_cast<int>(found.state)] + (" " + found.standIn);
}

// Win32 opens "report.txt." as "report.txt", and "dir.\" as "dir\".
TEST(HasTrimmedName, IsTrueWhereANameEndsInADotOrASpace) {
    const std::pair<const char*, bool> cases[] = {
        {"C:\\a\\report.txt.", true},
        {"C:\\a\\report.txt ", true},
        {"C:\\dir.\\", true},
        {"\\\\?\\C:\\a\\b..", true},
        {"C:\\dir \\b.txt", true},
        {"C:\\a\\report.txt", false},
        {"C:\\", false},
        {"C:\\a\\..\\.\\b.txt", false},
        {"\\\\?\\C:\\a.b\\c", false},
        {"", false},
    };
    for (const auto& [path, trimmed] : cases) EXPECT_EQ(HasTrimmedName(path), trimmed) << path;
}

TEST(FindTarget, AnItemFollowsTheProgramsDriveOnlyWhereItsOwnIsGone) {
    std::set<std::string> present{"F:\\Apps\\Tool.exe", "E:\\Docs\\here.txt", "F:\\Docs\\here.txt"};
    std::vector<std::string> checked;
    auto check = [&](const std::string& path) {
        checked.push_back(path);
        if (path.find("slow") != std::string::npos) return TargetState::Unknown;
        return present.count(path) ? TargetState::Present : TargetState::Missing;
    };
    const ProgramDrive stick("F:\\Vantry", "C:\\Windows");
    EXPECT_EQ(Found(FindTarget("E:\\Apps\\Tool.exe", stick, check)), "present F:\\Apps\\Tool.exe");
    EXPECT_EQ(Found(FindTarget("e:\\Apps\\Tool.exe", stick, check)), "present F:\\Apps\\Tool.exe");
    EXPECT_EQ(Found(FindTarget("E:\\Docs\\here.txt", stick, check)), "present ");
    EXPECT_EQ(Found(FindTarget("E:\\Docs\\gone.txt", stick, check)), "missing ");
    checked.clear();
    // Its own drive's word stands: on the program's drive, not on a letter, or not known.
    EXPECT_EQ(Found(FindTarget("F:\\gone.txt", stick, check)), "missing ");
    EXPECT_EQ(Found(FindTarget("\\\\server\\share\\Tool.exe", stick, check)), "missing ");
    EXPECT_EQ(Found(FindTarget("E:\\slow\\Tool.exe", stick, check)), "unknown ");
    EXPECT_EQ(checked.size(), 3u);
    // A program on the system drive (in Documents) or on a share takes nothing from its drive.
    for (const char* folder : {"C:\\Users\\Ann\\Documents\\Vantry", "\\\\server\\tools"}) {
        const ProgramDrive fixed(folder, "c:\\windows");
        EXPECT_EQ(Found(FindTarget("E:\\Apps\\Tool.exe", fixed, check)), "missing ") << folder;
    }
}

// The shell as a launch sees it: long forms, what is missing, and answers to give in turn.
class FakeShell : public LaunchShell {
  public:
    std::string LongForm(const std::string& path) override {
        auto found = longForms.find(path);
        return found == longForms.end() ? path : found->second;
    }
    TargetState Check(const std::string& path) override {
        return missing.count(path) ? TargetState::Missing : TargetState::Present;
    }
    ShellError Call(const ShellCall& call) override {
        bool select = call.kind == ShellCall::Kind::SelectInFolder;
        calls.push_back((select ? "select " : "execute ") + call.file + "|" + call.folder + "|" +
                        call.verb + (call.quiet ? "|quiet" : "|dialogs"));
        if (answers.empty()) return ShellError::None;
        ShellError answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }

    std::map<std::string, std::string> longForms;
    std::set<std::string> missing;
    std::vector<ShellError> answers;
    std::vector<std::string> calls;
};

TEST(LaunchThrough, OpensAsTheFileManagerDoesInItsOwnFolderAndByTheLongName) {
    FakeShell shell;
    shell.longForms["C:\\PROGRA~1\\Tool\\TOOLMA~1.EXE"] = "C:\\Program Files\\Tool\\Tool main.exe";
    for (const char* path : {"C:\\PROGRA~1\\Tool\\TOOLMA~1.EXE", "C:\\a.txt", "D:\\Games\\", "C:\\",
                             "C:\\l\\Chat.LNK"}) {
        EXPECT_EQ(LaunchThrough(shell, path, 1, LaunchMode::Open), LaunchResult::Started);
    }
    EXPECT_EQ(shell.calls,
              (std::vector<std::string>{
                  "execute C:\\Program Files\\Tool\\Tool main.exe|C:\\Program Files\\Tool||quiet",
                  "execute C:\\a.txt|C:\\||quiet", "execute D:\\Games\\|||quiet",
                  "execute C:\\|||quiet", "execute C:\\l\\Chat.LNK|||quiet"}));
}

TEST(LaunchThrough, TellsAPathThatIsGoneFromAFailureADeclineAndTheModes) {
    FakeShell shell;
    shell.missing = {"C:\\gone.txt"};
    auto launch = [&shell](const char* path, LaunchMode mode, std::vector<ShellError> answers) {
        shell.calls.clear();
        shell.answers = std::move(answers);
        return LaunchThrough(shell, path, 1, mode);
    };
    using E = ShellError;
    EXPECT_EQ(launch("C:\\gone.txt", LaunchMode::Open, {E::NotFound}), LaunchResult::NotFound);
    EXPECT_EQ(shell.calls.size(), 1u);
    // Not found, but there (its type's program is gone): the shell's own dialogs tell why.
    EXPECT_EQ(launch("C:\\a.odd", LaunchMode::Open, {E::NotFound, E::NotFound}),
              LaunchResult::Failed);
    EXPECT_EQ(shell.calls.back(), "execute C:\\a.odd|C:\\||dialogs");
    EXPECT_EQ(launch("C:\\a.odd", LaunchMode::Open, {E::Other, E::None}), LaunchResult::Started);
    // An elevation prompt declined is asked once.
    EXPECT_EQ(launch("C:\\Tools\\t.exe", LaunchMode::RunAsAdministrator, {E::Cancelled}),
              LaunchResult::Cancelled);
    EXPECT_EQ(shell.calls,
              std::vector<std::string>{"execute C:\\Tools\\t.exe|C:\\Tools|runas|quiet"});
    EXPECT_EQ(launch("C:\\Tools\\t.exe", LaunchMode::ShowInFolder, {}), LaunchResult::Started);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"select C:\\Tools\\t.exe|||quiet"});
    // A folder or a drive root opens itself; a folder that will not select its item, as it is.
    EXPECT_EQ(launch("D:\\Games\\", LaunchMode::ShowInFolder, {}), LaunchResult::Started);
    EXPECT_EQ(launch("C:\\", LaunchMode::ShowInFolder, {}), LaunchResult::Started);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"execute C:\\|||quiet"});
    EXPECT_EQ(launch("C:\\Tools\\t.exe", LaunchMode::ShowInFolder, {E::Other}),
              LaunchResult::Started);
    EXPECT_EQ(shell.calls.back(), "execute C:\\Tools\\|||dialogs");
    EXPECT_EQ(launch("C:\\gone.txt", LaunchMode::ShowInFolder, {E::NotFound}),
              LaunchResult::NotFound);
}

}  // namespace
}  // namespace vantry
