#include <gtest/gtest.h>

#include "app/drop/drop_target_win32.h"
#include "app/dropped_paths_win32.h"
// shlobj.h after windows.h (included by the header).
#include <shlobj.h>

#include <regex>

#include "app/list/item_drag_win32.h"
#include "platform/byte_data_object_win32.h"
#include "platform/text_win32.h"
#include "tests/win32/support/drop_program.h"
#include "tests/win32/support/temp_folder.h"

namespace vantry {
namespace {

void MakeShortcut(const std::string& link, const std::string& target, LPCITEMIDLIST ids = nullptr) {
    ComPtr<IShellLinkW> shell;
    ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                              IID_PPV_ARGS(shell.GetAddressOf())));
    if (ids) {
        ASSERT_HRESULT_SUCCEEDED(shell->SetIDList(ids));
    } else {
        ASSERT_HRESULT_SUCCEEDED(shell->SetPath(Widen(target).c_str()));
    }
    ComPtr<IPersistFile> file;
    ASSERT_HRESULT_SUCCEEDED(shell.As(&file));
    ASSERT_HRESULT_SUCCEEDED(file->Save(Widen(link).c_str(), TRUE));
}

class DropTargetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(ole.Initialized());
        window = CreateWindowExW(0, L"STATIC", L"Drop Here", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        registration =
            std::make_unique<DropRegistration<DropTarget>>(window, DropTarget::Create(p.intake));
        ASSERT_TRUE(registration->Registered());
    }
    void TearDown() override {
        registration.reset();
        if (window) DestroyWindow(window);
    }

    // An existing file among the dropped items.
    std::string Item(const std::string& name) {
        std::string path = items.File(name);
        test::WriteBytes(path, "x");
        return path;
    }
    void StoreItems(int n) {
        std::string content;
        for (int i = 0; i < n; ++i) content += Item("old" + std::to_string(i) + ".txt") + "\r\n";
        test::WriteBytes(ListFile(), content);
    }
    std::string ListFile() const { return program.File("VantryList0.txt"); }

    DWORD DropData(std::vector<std::pair<CLIPFORMAT, std::string>> formats) {
        auto* data = new ByteDataObject(std::move(formats));
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
        EXPECT_EQ(registration->Target()->Drop(data, MK_LBUTTON, {0, 0}, &effect), S_OK);
        EXPECT_EQ(data->References(), 1) << "the target keeps no reference to the data";
        data->Release();
        return effect;
    }
    DWORD Drop(const std::vector<std::string>& paths) {
        return DropData({{CF_HDROP, FileListBlock(paths)}});
    }
    // The lines of the list file after the ones stored before the drop.
    std::vector<std::string> Stored() {
        auto lines = p.files.ReadListLines(0);
        return lines ? *lines : std::vector<std::string>{"<absent>"};
    }

    OleSession ole;
    test::TempFolder program;
    test::TempFolder items;
    test::DropProgram p{program.Path()};
    HWND window = nullptr;
    std::unique_ptr<DropRegistration<DropTarget>> registration;
};

TEST_F(DropTargetTest, OneFileOntoThreeItemsEndsTheListFileAndShowsInSlotThree) {
    StoreItems(3);
    p.drop.Start();
    std::string added = Item("notes.txt");
    EXPECT_EQ(Drop({added}), static_cast<DWORD>(DROPEFFECT_COPY));
    std::string file = test::ReadBytes(ListFile());
    std::string tail = added + "\r\n\r\n";
    ASSERT_GE(file.size(), tail.size());
    EXPECT_EQ(file.substr(file.size() - tail.size()), tail);
    EXPECT_EQ(p.small.Model().Path(3), added);
    EXPECT_EQ(p.smallView.captions[3], "notes");
    EXPECT_FALSE(p.small.Model().Occupied(4));
    EXPECT_TRUE(p.dialogs.errors.empty());
}

TEST_F(DropTargetTest, ThreeFilesWithOneFreeSlotAreAllWritten) {
    StoreItems(19);
    p.drop.Start();
    std::vector<std::string> dropped{Item("a.txt"), Item("b.txt"), Item("c.txt")};
    Drop(dropped);
    std::vector<std::string> lines = Stored();
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 19, lines.begin() + 22), dropped);
    EXPECT_EQ(p.small.Model().Path(19), dropped[0]);
    EXPECT_EQ(p.small.Model().Overflow().size(), 2u);
}

TEST_F(DropTargetTest, AFolderGetsItsClosingBackslashAndADriveRootStaysAsItIs) {
    p.drop.Start();
    std::string music = items.File("Music");
    ASSERT_TRUE(CreateDirectoryW(Widen(music).c_str(), nullptr));
    Drop({music, "C:\\"});
    EXPECT_EQ(Stored(), (std::vector<std::string>{music + "\\", "C:\\", ""}));
    EXPECT_EQ(p.smallView.captions[0], "Music");
    EXPECT_EQ(p.smallView.captions[1], "C:");
}

// A shortcut to an item of the shell's own (no file behind it) is kept as itself.
TEST_F(DropTargetTest, PlainShortcutsStoreTheirTargetOneLevelDeepAndNothingWhenItIsGone) {
    p.drop.Start();
    std::string editor = Item("Editor.exe");
    std::string upper = items.File("Editor.LNK");
    MakeShortcut(upper, editor);
    std::string gone = Item("gone.txt");
    std::string toGone = items.File("gone.lnk");
    MakeShortcut(toGone, gone);
    DeleteFileW(Widen(gone).c_str());
    LPITEMIDLIST computer = nullptr;
    ASSERT_HRESULT_SUCCEEDED(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, &computer));
    std::string virtualTarget = items.File("computer.lnk");
    MakeShortcut(virtualTarget, "", computer);
    CoTaskMemFree(computer);
    std::string outer = items.File("outer.lnk");
    MakeShortcut(outer, upper);

    Drop({upper, toGone, virtualTarget, outer});
    EXPECT_EQ(Stored(), (std::vector<std::string>{editor, virtualTarget, upper, ""}));
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_TRUE(p.dialogs.plain.empty());
}

TEST_F(DropTargetTest, AShortcutThatCannotBeLoadedShowsTheFailureAndAddsNothing) {
    p.drop.Start();
    std::string broken = items.File("broken.lnk");
    test::WriteBytes(broken, "this is not a shell link");
    Drop({Item("kept.txt"), broken});
    ASSERT_EQ(p.dialogs.plain.size(), 1u);
    EXPECT_TRUE(std::regex_match(p.dialogs.plain[0], std::regex("-?[0-9]+ - .+")))
        << p.dialogs.plain[0];
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_EQ(Stored(), std::vector<std::string>{"<absent>"});
}

TEST_F(DropTargetTest, AHiddenFileIsSkippedWithoutAMessage) {
    p.drop.Start();
    std::string hidden = Item("hidden.txt");
    ASSERT_TRUE(SetFileAttributesW(Widen(hidden).c_str(), FILE_ATTRIBUTE_HIDDEN));
    std::string shown = Item("shown.txt");
    Drop({hidden});
    EXPECT_EQ(Stored(), std::vector<std::string>{"<absent>"});
    Drop({hidden, shown});
    EXPECT_EQ(Stored(), (std::vector<std::string>{shown, ""}));
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_TRUE(p.dialogs.plain.empty());
}

// The drag is accepted so that the drop comes at all: only the drop can tell the user.
TEST_F(DropTargetTest, TextWithoutAFileListIsTakenAsADragAndRefusedWithTheMessageOnDrop) {
    p.drop.Start();
    std::string text = "C:\\notes.txt";
    std::wstring wide = Widen(text);
    std::string unicode(reinterpret_cast<const char*>(wide.c_str()),
                        (wide.size() + 1) * sizeof(wchar_t));
    std::vector<std::pair<CLIPFORMAT, std::string>> formats{{CF_UNICODETEXT, unicode},
                                                            {CF_TEXT, text + '\0'}};

    auto* data = new ByteDataObject(formats);
    DWORD effect = DROPEFFECT_COPY;
    IDropTarget* target = registration->Target();
    EXPECT_EQ(target->DragEnter(data, MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    data->Release();

    EXPECT_EQ(DropData(formats), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(p.dialogs.errors, std::vector<std::string>{kCantGetFilesMessage});
    EXPECT_EQ(Stored(), std::vector<std::string>{"<absent>"});
}

TEST_F(DropTargetTest, AFullWindowAddsNothingAndSaysNothing) {
    StoreItems(20);
    p.drop.Start();
    std::string before = test::ReadBytes(ListFile());
    EXPECT_EQ(Drop({Item("more.txt")}), static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(test::ReadBytes(ListFile()), before);
    EXPECT_TRUE(p.dialogs.errors.empty());
    EXPECT_TRUE(p.dialogs.plain.empty());
}

TEST_F(DropTargetTest, NamesWithAnEmptyDisplayNameAreStoredAndShown) {
    p.drop.Start();
    std::string noFile = Item("NO FILE here.txt");
    std::string profile = Item(".profile");
    SetFileAttributesW(Widen(profile).c_str(), FILE_ATTRIBUTE_NORMAL);
    // Wine reports every name that starts with a dot as hidden, whatever is set; there such a
    // file is skipped like any hidden one.
    bool dotFilesHidden = GetFileAttributesW(Widen(profile).c_str()) & FILE_ATTRIBUTE_HIDDEN;
    Drop({noFile});
    Drop({profile});
    EXPECT_EQ(p.smallView.captions[0], "NO FILE here.txt");
    if (dotFilesHidden) {
        EXPECT_EQ(Stored(), (std::vector<std::string>{noFile, ""}));
    } else {
        EXPECT_EQ(Stored(), (std::vector<std::string>{noFile, profile, ""}));
        EXPECT_EQ(p.smallView.captions[1], ".profile");
    }
}

TEST_F(DropTargetTest, ANameTheCodePageCannotHoldIsStoredWhole) {
    p.drop.Start();
    std::string japanese = Item("\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E.txt");  // 日本語.txt
    std::string plain = Item("plain.txt");
    Drop({japanese, plain});
    EXPECT_EQ(Stored(), (std::vector<std::string>{japanese, plain, ""}));
    EXPECT_TRUE(p.dialogs.errors.empty());
}

TEST_F(DropTargetTest, ADropWhileAnotherActionRunsIsRefusedAndChangesNothing) {
    p.drop.Start();
    std::string path = Item("later.txt");
    auto data = FileListBlock({path});
    {
        auto running = p.guard.TryEnter();
        auto* object = new ByteDataObject({{CF_HDROP, data}});
        DWORD effect = DROPEFFECT_COPY;
        registration->Target()->DragEnter(object, MK_LBUTTON, {0, 0}, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
        object->Release();
        EXPECT_EQ(Drop({path}), static_cast<DWORD>(DROPEFFECT_NONE));
    }
    EXPECT_EQ(Stored(), std::vector<std::string>{"<absent>"});
    EXPECT_EQ(Drop({path}), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(Stored(), (std::vector<std::string>{path, ""}));
}

TEST_F(DropTargetTest, AnItemDraggedOutOfAListIsAFileToOthersAndRefusedHere) {
    StoreItems(1);
    p.drop.Start();
    std::string music = items.File("Music");
    ASSERT_TRUE(CreateDirectoryW(Widen(music).c_str(), nullptr));
    ComPtr<IDataObject> data = CreateItemData(music + "\\", {GetCurrentProcessId(), window, 0});
    // Other programs find the folder as the shell names it, without its closing backslash, as a
    // file list and as the shell's ids of its parent folder and of itself.
    DroppedFiles files = ReadDropData(data.Get());
    EXPECT_EQ(files.entries, (std::vector<std::optional<std::string>>{music}));
    FORMATETC format{static_cast<CLIPFORMAT>(RegisterClipboardFormatW(CFSTR_SHELLIDLIST)), nullptr,
                     DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    ASSERT_HRESULT_SUCCEEDED(data->GetData(&format, &medium));
    const auto* ids = static_cast<const CIDA*>(GlobalLock(medium.hGlobal));
    ASSERT_EQ(ids->cidl, 1u);
    const auto* base = reinterpret_cast<const BYTE*>(ids);
    PIDLIST_ABSOLUTE whole =
        ILCombine(reinterpret_cast<PCIDLIST_ABSOLUTE>(base + ids->aoffset[0]),
                  reinterpret_cast<PCUIDLIST_RELATIVE>(base + ids->aoffset[1]));
    wchar_t named[MAX_PATH] = {};
    EXPECT_TRUE(SHGetPathFromIDListW(whole, named));
    EXPECT_EQ(Narrow(named), music);
    ILFree(whole);
    GlobalUnlock(medium.hGlobal);
    ReleaseStgMedium(&medium);
    std::string before = test::ReadBytes(ListFile());
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    ASSERT_EQ(registration->Target()->DragEnter(data.Get(), MK_LBUTTON, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    ASSERT_EQ(registration->Target()->Drop(data.Get(), 0, {0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(test::ReadBytes(ListFile()), before);
    // "Music." would be "Music" to the shell: others get no file at all.
    data = CreateItemData(music + ".", {GetCurrentProcessId(), window, 0});
    EXPECT_TRUE(ReadDropData(data.Get()).entries.empty());
    EXPECT_EQ(data->QueryGetData(&format), DV_E_FORMATETC);
}

TEST_F(DropTargetTest, TheRegistrationIsRevokedWithItsOwner) {
    ComPtr<IDropTarget> again;
    EXPECT_HRESULT_SUCCEEDED(registration->Target()->QueryInterface(IID_PPV_ARGS(&again)));
    ComPtr<IDataObject> wrong;
    EXPECT_EQ(registration->Target()->QueryInterface(IID_PPV_ARGS(&wrong)), E_NOINTERFACE);
    EXPECT_EQ(RegisterDragDrop(window, again.Get()), DRAGDROP_E_ALREADYREGISTERED);
    registration.reset();
    EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
}

}  // namespace
}  // namespace vantry
