#include <gtest/gtest.h>
#include <windows.h>

#include <mutex>
#include <vector>

#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "store/icon_service_win32.h"
#include "store/item_files.h"
#include "store/path_helpers.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

// A thread that closes handle after 100 ms, as another program lets go of a file.
HANDLE CloseSoon(HANDLE handle) {
    return CreateThread(
        nullptr, 0,
        [](void* held) -> DWORD {
            Sleep(100);
            CloseHandle(static_cast<HANDLE>(held));
            return 0;
        },
        handle, 0, nullptr);
}

TEST(FileExists, IsFalseForAFolderAMissingFileAndALockedFile) {
    test::TempFolder folder;
    EXPECT_FALSE(FileExists(folder.Path()));
    EXPECT_FALSE(FileExists(folder.File("missing.txt")));
    test::WriteBytes(folder.File("a.txt"), "x");
    EXPECT_TRUE(FileExists(folder.File("a.txt")));
    HANDLE held = CreateFileW(Widen(folder.File("a.txt")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(FileExists(folder.File("a.txt")));
    // Held, it is still there: the store keeps it from being replaced.
    Win32ProgramFolder program(folder.Path());
    EXPECT_TRUE(program.Present("a.txt"));
    EXPECT_FALSE(program.Present("missing.txt"));
    CloseHandle(held);
    EXPECT_TRUE(FileExists(folder.File("a.txt")));
}

std::string SystemShortForm(const std::string& path) {
    wchar_t buffer[MAX_PATH] = {};
    GetShortPathNameW(Widen(path).c_str(), buffer, MAX_PATH);
    return Narrow(buffer);
}

TEST(LongPath, GivesTheLongFormLongerOrShorterAndKeepsAMissingPath) {
    test::TempFolder folder;
    std::string longName = folder.File("A rather long file name.document");
    test::WriteBytes(longName, "x");
    std::string shortForm = SystemShortForm(longName);
    ASSERT_LT(shortForm.size(), longName.size());
    EXPECT_EQ(LongPath(shortForm), longName);
    std::string missing = folder.File("NOTTHE~1.DOC");
    EXPECT_EQ(LongPath(missing), missing);

    // A name the code page cannot hold, at the root: its short form is the longer one.
    std::string japanese = "C:\\\xE6\x97\xA5\xE6\x9C\xAC.t";  // C:\日本.t
    test::WriteBytes(japanese, "x");
    std::string hashed = SystemShortForm(japanese);
    std::string back = LongPath(hashed);
    DeleteFileW(Widen(japanese).c_str());
    EXPECT_GT(hashed.size(), japanese.size()) << hashed;
    EXPECT_EQ(back, japanese);
}

TEST(MissingTargets, TheCheckAndTheLaunchBothSayAPathThatIsGoneIsNotThere) {
    test::TempFolder folder;
    test::WriteBytes(folder.File("a.txt"), "x");
    EXPECT_EQ(IconService::FileSystemCheck(folder.File("a.txt")), TargetState::Present);
    EXPECT_EQ(IconService::FileSystemCheck(folder.Path() + "\\"), TargetState::Present);
    // A removed file, a removed folder, a drive that is not there. The launch shows nothing.
    for (const std::string& gone :
         {folder.File("gone.txt"), folder.File("gone\\b.txt"), std::string("Q:\\x.doc")}) {
        EXPECT_EQ(IconService::FileSystemCheck(gone), TargetState::Missing) << gone;
        EXPECT_EQ(LaunchPath(gone, 1), LaunchResult::NotFound) << gone;
    }
}

// A drive without its disk must not bring up the system's "no disk" box over a check: the threads
// that check say so for themselves, and the process's mode, which launched programs inherit, stays.
TEST(MissingTargets, ChecksRunWithoutTheSystemsErrorBoxAndTheProcessModeStays) {
    const UINT processMode = GetErrorMode();
    std::mutex mutex;
    std::vector<DWORD> modes;
    IconService icons([](const IconRequest&) { return UniqueIcon(); },
                      [&](const std::string&) {
                          std::lock_guard<std::mutex> lock(mutex);
                          modes.push_back(GetThreadErrorMode());
                          return TargetState::Present;
                      });
    bool answered = false;
    icons.Request({"C:\\a.txt", 16}, [&](IconAnswer) { answered = true; });
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (!answered && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        PumpPendingMessages();
    }
    ASSERT_TRUE(answered);
    EXPECT_EQ(icons.Recheck("C:\\b.txt").state, TargetState::Present);
    ASSERT_EQ(modes.size(), 2u);
    for (DWORD mode : modes) EXPECT_TRUE(mode & SEM_FAILCRITICALERRORS);
    EXPECT_EQ(GetErrorMode(), processMode);
    EXPECT_FALSE(GetThreadErrorMode() & SEM_FAILCRITICALERRORS);
}

// A check blocked on a server that stopped answering: the click hears that it did not answer,
// and the program's end knows its thread is still out there until it ends.
TEST(MissingTargets, ARecheckThatDoesNotAnswerSaysSoAndItsThreadIsKnownUntilItEnds) {
    HANDLE unblock = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ASSERT_TRUE(unblock);
    IconService icons([](const IconRequest&) { return UniqueIcon(); },
                      [unblock](const std::string&) {
                          WaitForSingleObject(unblock, INFINITE);
                          return TargetState::Present;
                      });
    EXPECT_FALSE(icons.ThreadsBusy());
    EXPECT_FALSE(icons.Recheck("C:\\a.txt").answered);
    EXPECT_TRUE(icons.ThreadsBusy());
    SetEvent(unblock);
    const ULONGLONG deadline = GetTickCount64() + 10000;
    while (icons.ThreadsBusy() && GetTickCount64() < deadline) Sleep(10);
    EXPECT_FALSE(icons.ThreadsBusy());
    CloseHandle(unblock);
}

TEST(Win32ProgramFolder, StoresTextInTheAnsiCodePageAndReadsItBack) {
    ASSERT_EQ(GetACP(), 1252u) << "the test's byte expectations are those of code page 1252";
    test::TempFolder temp;
    Win32ProgramFolder folder(temp.Path());
    test::RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    ASSERT_TRUE(files.WriteList(0, {"C:\\Caf\xC3\xA9\\men\xC3\xBC.txt"}));  // Café\menü.txt
    EXPECT_EQ(test::ReadBytes(temp.File("VantryList0.txt")), "C:\\Caf\xE9\\men\xFC.txt\r\n");
    auto lines = files.ReadListLines(0);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, std::vector<std::string>{"C:\\Caf\xC3\xA9\\men\xC3\xBC.txt"});
}

TEST(ToCodePage, HoldsExactlyWhatTheCodePageCanAndEverythingInUtf8) {
    const std::string japanese = "C:\\\xE6\x97\xA5\xE6\x9C\xAC.txt";  // C:\日本.txt
    const std::string accented = "C:\\Caf\xC3\xA9.txt";               // C:\Café.txt
    std::string bytes;
    EXPECT_FALSE(ToCodePage(japanese, 1252, bytes));
    ASSERT_TRUE(ToCodePage(accented, 1252, bytes));
    EXPECT_EQ(bytes, "C:\\Caf\xE9.txt");
    // A system whose ANSI code page is UTF-8 stores every path as it is.
    ASSERT_TRUE(ToCodePage(japanese, CP_UTF8, bytes));
    EXPECT_EQ(bytes, japanese);
}

TEST(Win32ProgramFolder, NeverStoresAPathTheCodePageCannotHoldMangled) {
    test::TempFolder temp;
    Win32ProgramFolder folder(temp.Path());
    test::RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    std::string japanese = temp.File("\xE6\x97\xA5\xE6\x9C\xAC.txt");  // 日本.txt
    test::WriteBytes(japanese, "x");
    // A path that is not there has no short form either; it is kept all the same, whole.
    std::string nowhere = "C:\\nowhere\\\xE6\x97\xA5\xF0\x9F\x98\x80.txt";  // 日😀.txt
    ASSERT_TRUE(files.WriteList(0, {"C:\\Caf\xC3\xA9.txt", japanese, nowhere}));
    auto lines = files.ReadListLines(0);
    ASSERT_TRUE(lines && lines->size() == 3);
    EXPECT_TRUE(FileExists((*lines)[1])) << (*lines)[1];
    EXPECT_EQ((*lines)[1].find('?'), std::string::npos);
    EXPECT_EQ(*lines, (std::vector<std::string>{"C:\\Caf\xC3\xA9.txt", japanese, nowhere}));
    EXPECT_EQ(test::ReadBytes(temp.File("VantryList0.txt")),
              "C:\\Caf\xC3\xA9.txt\r\n" + japanese + "\r\n" + nowhere + "\r\n");
    EXPECT_TRUE(dialogs.errors.empty());
}

TEST(Win32ProgramFolder, AFileOverTheSizeCapIsThereButNotRead) {
    test::TempFolder temp;
    HANDLE file = CreateFileW(Widen(temp.File("VantryList0.txt")).c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size{};
    size.QuadPart = static_cast<LONGLONG>(kMaxFileBytes) + 1;  // sparse where the disk allows
    SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    Win32ProgramFolder folder(temp.Path());
    EXPECT_TRUE(folder.Present("VantryList0.txt"));
    EXPECT_FALSE(folder.Read("VantryList0.txt"));
}

TEST(Win32ProgramFolder, ReplacesAtomicallyWithoutLeavingATemporaryFile) {
    test::TempFolder temp;
    Win32ProgramFolder folder(temp.Path());
    ASSERT_TRUE(folder.Replace("listtype.txt", "small\r\n").ok);
    ASSERT_TRUE(folder.Replace("listtype.txt", "large\r\n").ok);
    EXPECT_EQ(test::ReadBytes(temp.File("listtype.txt")), "large\r\n");
    EXPECT_EQ(temp.Names(), std::vector<std::string>{"listtype.txt"});
}

TEST(Win32ProgramFolder, AReadOnlyFileFailsWithAMessageAndKeepsItsContent) {
    test::TempFolder temp;
    Win32ProgramFolder folder(temp.Path());
    test::RecordingDialogs dialogs;
    ItemFiles files(folder, dialogs);
    test::WriteBytes(temp.File("VantryList0.txt"), "C:\\\r\n");
    SetFileAttributesW(Widen(temp.File("VantryList0.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(files.WriteList(0, {"D:\\"}));
    ASSERT_EQ(dialogs.errors.size(), 1u);
    EXPECT_NE(dialogs.errors[0].find("VantryList0.txt"), std::string::npos);
    EXPECT_EQ(test::ReadBytes(temp.File("VantryList0.txt")), "C:\\\r\n");
    EXPECT_EQ(temp.Names(), std::vector<std::string>{"VantryList0.txt"});
}

TEST(Win32ProgramFolder, AFileLockedForAMomentIsRetriedAndAFileLockedForGoodFails) {
    test::TempFolder temp;
    Win32ProgramFolder folder(temp.Path());
    test::WriteBytes(temp.File("VantryTabs.txt"), "old\r\n");
    HANDLE held = CreateFileW(Widen(temp.File("VantryTabs.txt")).c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(folder.Replace("VantryTabs.txt", "new\r\n").ok);
    HANDLE release = CloseSoon(held);
    EXPECT_TRUE(folder.Replace("VantryTabs.txt", "new\r\n").ok);
    WaitForSingleObject(release, INFINITE);
    CloseHandle(release);
    EXPECT_EQ(test::ReadBytes(temp.File("VantryTabs.txt")), "new\r\n");
}

// Writers take turns through a lock file in the folder, deleted as a turn ends. A writer finding
// it held waits briefly, then gives up with the system's reason; one finding it left by a writer
// killed in its turn sweeps what that writer left.
TEST(Win32ProgramFolder, ASaveTurnWaitsForItsHolderLeavesNoFileAndSweepsAfterAKilledOne) {
    test::TempFolder temp;
    HANDLE held = CreateFileW(Widen(temp.File("Vantry.lock")).c_str(), GENERIC_READ, 0, nullptr,
                              CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    HANDLE release = CloseSoon(held);
    Win32ProgramFolder folder(temp.Path());
    TurnRefusal refused;
    {
        auto turn = folder.TakeSaveTurn(refused);
        ASSERT_TRUE(turn);
        EXPECT_FALSE(Win32ProgramFolder(temp.Path()).TakeSaveTurn(refused));
        EXPECT_EQ(refused.reason, SystemMessage(ERROR_SHARING_VIOLATION));
        // A folder where another writer is saving is not a read-only one.
        EXPECT_FALSE(refused.readOnly);
    }
    WaitForSingleObject(release, INFINITE);
    CloseHandle(release);
    EXPECT_TRUE(temp.Names().empty());

    for (const std::string& name : {std::string(kTurnFile), TemporaryName("VantryList0.txt", 3),
                                    TemporaryName("shfile.txt", 4)}) {
        test::WriteBytes(temp.File(name), "a killed writer's");
    }
    EXPECT_TRUE(folder.TakeSaveTurn(refused));
    EXPECT_TRUE(temp.Names().empty());
}

}  // namespace
}  // namespace vantry
