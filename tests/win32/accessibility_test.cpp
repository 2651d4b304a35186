// What an assistive tool reads and does through Active Accessibility: from a process of its own
// against the real program, as screen readers and automation do, and in-process where the
// program's own windows must go first.
#include <gtest/gtest.h>
#include <windows.h>
#include <wrl/client.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/drop/drop_target_win32.h"
#include "app/list/list_accessible_win32.h"
#include "app/program/program_win32.h"
#include "platform/system_functions_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/process_windows.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using Microsoft::WRL::ComPtr;
using test::PumpUntil;
using test::Started;

VARIANT Id(LONG childId) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = childId;
    return child;
}

std::string Name(IAccessible* object, LONG childId) {
    BSTR name = nullptr;
    if (FAILED(object->get_accName(Id(childId), &name)) || !name) return "<none>";
    std::string text = Narrow(name);
    SysFreeString(name);
    return text;
}

std::string Description(IAccessible* object, LONG childId) {
    BSTR text = nullptr;
    if (FAILED(object->get_accDescription(Id(childId), &text)) || !text) return "<none>";
    std::string result = Narrow(text);
    SysFreeString(text);
    return result;
}

std::string DefaultAction(IAccessible* object, LONG childId) {
    BSTR text = nullptr;
    if (FAILED(object->get_accDefaultAction(Id(childId), &text)) || !text) return "<none>";
    std::string result = Narrow(text);
    SysFreeString(text);
    return result;
}

LONG Role(IAccessible* object, LONG childId) {
    VARIANT role{};
    return SUCCEEDED(object->get_accRole(Id(childId), &role)) && role.vt == VT_I4 ? role.lVal : -1;
}

LONG State(IAccessible* object, LONG childId) {
    VARIANT state{};
    return SUCCEEDED(object->get_accState(Id(childId), &state)) && state.vt == VT_I4 ? state.lVal
                                                                                     : -1;
}

ComPtr<IAccessible> ClientObject(HWND window) {
    ComPtr<IAccessible> object;
    sys::AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIID_IAccessible,
                                    reinterpret_cast<void**>(object.GetAddressOf()));
    return object;
}

// What an out-of-context hook heard: the event and the child it named, for the list window.
struct Heard {
    DWORD event;
    LONG childId;
};
std::vector<Heard> heard;
HWND heardFrom = nullptr;

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND window, LONG objectId, LONG childId, DWORD,
                   DWORD) {
    if (window == heardFrom && objectId == OBJID_CLIENT) heard.push_back({event, childId});
}

std::vector<LONG> ChildrenHeard(DWORD event) {
    std::vector<LONG> children;
    for (const Heard& h : heard) {
        if (h.event == event) children.push_back(h.childId);
    }
    return children;
}

void PressKeys(std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = key;
        inputs.push_back(down);
    }
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *key;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(up);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

constexpr LONG kItemStates = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
constexpr LONG kFocusedItem = kItemStates | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED;

TEST(AccessibilityTest, AToolInAnotherProcessReadsTheListFollowsTheKeyboardAndActs) {
    OleSession ole;
    test::TempFolder temp;
    std::wstring built = Widen(ExecutableFolder() + "\\..\\Vantry.exe");
    std::wstring exe = Widen(temp.File("Vantry.exe"));
    ASSERT_TRUE(CopyFileW(built.c_str(), exe.c_str(), FALSE));
    test::WriteBytes(temp.File("VantryTabs.txt"), "One\r\nTwo\r\n\r\n\r\n\r\n");
    // The item opened is the launch probe, which writes down that it ran: a folder would open in
    // Wine's explorer, whose windows and processes from earlier runs in the session decide
    // whether and where it shows.
    const std::string probe = temp.File("launch_probe.exe");
    ASSERT_TRUE(CopyFileW(Widen(ExecutableFolder() + "\\..\\launch_probe.exe").c_str(),
                          Widen(probe).c_str(), FALSE));
    test::WriteBytes(temp.File("VantryList0.txt"),
                     "C:\\windows\\\r\nC:\\windows\\system32\\\r\n" + probe +
                         "\r\nC:\\windows\\system32\\drivers\\\r\nC:\\windows\\gone\\\r\n");
    test::WriteBytes(temp.File("VantryList1.txt"), "C:\\windows\\help\\\r\n");
    Started program(exe);
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        list = test::TopWindowOf(program.Id(), {L"VantrySmallList", L"VantryLargeList"});
        return list != nullptr;
    }));
    ComPtr<IAccessible> object = ClientObject(list);
    ASSERT_TRUE(object) << "no object for the list's client area";
    ASSERT_TRUE(PumpUntil([&] { return Name(object.Get(), ItemChildId(3)) == "drivers"; }));

    long count = 0;
    EXPECT_EQ(object->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, kSlotCount + kTabCount);
    EXPECT_EQ(Role(object.Get(), CHILDID_SELF), ROLE_SYSTEM_LIST);
    EXPECT_EQ(Name(object.Get(), CHILDID_SELF), "Vantry - One");
    const std::string names[] = {"windows", "system32", "launch_probe", "drivers"};
    const std::string paths[] = {"C:\\windows\\", "C:\\windows\\system32\\", probe,
                                 "C:\\windows\\system32\\drivers\\"};
    for (int slot = 0; slot < 4; ++slot) {
        SCOPED_TRACE(slot);
        EXPECT_EQ(Role(object.Get(), ItemChildId(slot)), ROLE_SYSTEM_LISTITEM);
        EXPECT_EQ(Name(object.Get(), ItemChildId(slot)), names[slot]);
        EXPECT_EQ(Description(object.Get(), ItemChildId(slot)), paths[slot]);
        EXPECT_EQ(DefaultAction(object.Get(), ItemChildId(slot)), "Open");
    }
    // A target found missing is unavailable; it is told once its check answers.
    EXPECT_TRUE(
        PumpUntil([&] { return State(object.Get(), ItemChildId(4)) & STATE_SYSTEM_UNAVAILABLE; }));
    EXPECT_EQ(State(object.Get(), ItemChildId(3)) & STATE_SYSTEM_UNAVAILABLE, 0);
    EXPECT_EQ(State(object.Get(), ItemChildId(5)) & STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(Role(object.Get(), TabChildId(0)), ROLE_SYSTEM_PAGETAB);
    EXPECT_EQ(Name(object.Get(), TabChildId(1)), "Two");
    EXPECT_EQ(DefaultAction(object.Get(), TabChildId(1)), "Switch");
    constexpr LONG kTabStates = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
    EXPECT_EQ(State(object.Get(), TabChildId(0)), kTabStates | STATE_SYSTEM_SELECTED);
    EXPECT_EQ(State(object.Get(), TabChildId(1)), kTabStates);

    // The keyboard, heard as a screen reader hears it.
    heardFrom = list;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                         program.Id(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    SetForegroundWindow(list);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == list; }));
    for (int press = 0; press < 4; ++press) PressKeys({VK_DOWN});
    ASSERT_TRUE(PumpUntil([] { return ChildrenHeard(EVENT_OBJECT_FOCUS).size() >= 4; }));
    std::vector<std::string> focused;
    for (LONG child : ChildrenHeard(EVENT_OBJECT_FOCUS))
        focused.push_back(Name(object.Get(), child));
    EXPECT_EQ(focused,
              (std::vector<std::string>{"windows", "system32", "launch_probe", "drivers"}));
    EXPECT_EQ(State(object.Get(), ItemChildId(3)), kFocusedItem);
    EXPECT_EQ(State(object.Get(), ItemChildId(2)), kItemStates);
    // Tab takes the keyboard to the tab strip and Shift+Tab brings it back, both heard.
    PressKeys({VK_TAB});
    ASSERT_TRUE(PumpUntil([] { return ChildrenHeard(EVENT_OBJECT_FOCUS).size() >= 5; }));
    EXPECT_EQ(ChildrenHeard(EVENT_OBJECT_FOCUS).back(), TabChildId(0));
    EXPECT_EQ(State(object.Get(), TabChildId(0)),
              kTabStates | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    PressKeys({VK_SHIFT, VK_TAB});
    ASSERT_TRUE(PumpUntil([] { return ChildrenHeard(EVENT_OBJECT_FOCUS).size() >= 6; }));
    EXPECT_EQ(ChildrenHeard(EVENT_OBJECT_FOCUS).back(), ItemChildId(3));

    PressKeys({VK_CONTROL, VK_TAB});
    ASSERT_TRUE(PumpUntil([] { return !ChildrenHeard(EVENT_OBJECT_SELECTION).empty(); }));
    EXPECT_EQ(ChildrenHeard(EVENT_OBJECT_SELECTION), std::vector<LONG>{TabChildId(1)});
    EXPECT_EQ(Name(object.Get(), CHILDID_SELF), "Vantry - Two");
    EXPECT_EQ(Name(object.Get(), ItemChildId(0)), "help");
    // The list is renamed for its tab; the items whose captions changed are renamed too.
    EXPECT_TRUE(PumpUntil([] {
        std::vector<LONG> renamed = ChildrenHeard(EVENT_OBJECT_NAMECHANGE);
        auto heardOf = [&renamed](LONG id) {
            return std::find(renamed.begin(), renamed.end(), id) != renamed.end();
        };
        return heardOf(CHILDID_SELF) && heardOf(ItemChildId(0)) && heardOf(ItemChildId(3));
    }));
    UnhookWinEvent(hook);

    // Default actions: a tab switches back as its click does; an item opens as its click does.
    EXPECT_EQ(object->accDoDefaultAction(Id(TabChildId(0))), S_OK);
    // The list is renamed when the switch begins; its items come back one by one after.
    ASSERT_TRUE(PumpUntil([&] {
        return Name(object.Get(), CHILDID_SELF) == "Vantry - One" &&
               Name(object.Get(), ItemChildId(2)) == "launch_probe";
    }));
    // The switch may still be loading the tab's last items, and an action that comes meanwhile is
    // ignored, as a click would be: the tool acts again until the program has ended.
    EXPECT_EQ(object->accDoDefaultAction(Id(ItemChildId(2))), S_OK);
    ASSERT_TRUE(PumpUntil([&] {
        if (!program.Ended()) object->accDoDefaultAction(Id(ItemChildId(2)));
        return program.Ended();
    }));
    EXPECT_EQ(test::ReadBytes(temp.File(kHandOverFile)), probe + "\r\n");
    EXPECT_TRUE(
        PumpUntil([&] { return test::ReadBytes(temp.File("launched.txt")) != "<absent>"; }));
}

// The program in this process, for what must be seen from inside it.
class InProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        program = std::make_unique<Program>(folder, dialogs);
        program->Start();
    }

    OleSession ole;
    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::unique_ptr<Program> program;
};

// The captions that act as buttons: the bottom bar's and the drop window's.
TEST_F(InProcessTest, CaptionsThatActAsButtonsArePushButtonsThatTheirDefaultActionPresses) {
    ComPtr<IAccessible> button = ClientObject(program->Small().DropTargetCaption().Window());
    ASSERT_TRUE(button);
    EXPECT_EQ(Role(button.Get(), CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Name(button.Get(), CHILDID_SELF), "Drop Target");
    EXPECT_EQ(DefaultAction(button.Get(), CHILDID_SELF), "Press");
    EXPECT_EQ(button->accDoDefaultAction(Id(CHILDID_SELF)), S_OK);
    ASSERT_TRUE(PumpUntil(
        [this] { return program->DropForm() && IsWindowVisible(program->DropForm()->Window()); }));

    ComPtr<IAccessible> large = ClientObject(program->DropForm()->LargeCaption().Window());
    ASSERT_TRUE(large);
    EXPECT_EQ(Role(large.Get(), CHILDID_SELF), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Name(large.Get(), CHILDID_SELF), "Large List");
    EXPECT_EQ(State(large.Get(), CHILDID_SELF), STATE_SYSTEM_FOCUSABLE);
}

// A tool may hold the objects after the program has closed their windows.
TEST_F(InProcessTest, ObjectsOutliveTheirWindowsAndAnswerDisconnected) {
    ComPtr<IAccessible> object = ClientObject(program->Small().Window());
    ComPtr<IAccessible> button = ClientObject(program->Small().CloseCaption().Window());
    ASSERT_TRUE(object && button);
    EXPECT_EQ(Name(object.Get(), CHILDID_SELF), "Vantry - Main |");
    program.reset();

    // What a failed call hands back is cleared, not left as it was: a tool frees it.
    auto unset = [] { return reinterpret_cast<BSTR>(1); };
    BSTR name = unset();
    EXPECT_EQ(object->get_accName(Id(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
    VARIANT state{};
    EXPECT_EQ(object->get_accState(Id(ItemChildId(0)), &state), RPC_E_DISCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(Id(ItemChildId(0))), RPC_E_DISCONNECTED);
    name = unset();
    EXPECT_EQ(button->get_accName(Id(CHILDID_SELF), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(name, nullptr);
    long left = 1, top = 1, width = 1, height = 1;
    EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Id(CHILDID_SELF)),
              RPC_E_DISCONNECTED);
    EXPECT_EQ(left | top | width | height, 0);
}

}  // namespace
}  // namespace vantry
