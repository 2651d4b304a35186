// One program, many cycles of what a user does all day: hover fades, tab switches, style
// switches, deletes and drops. After the first hundred cycles of each, handle tables and memory
// stay level, and the files hold exactly what they should.

#include <gtest/gtest.h>
#include <windows.h>
// After <windows.h>, which it needs.
#include <psapi.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/program/program_win32.h"
#include "platform/byte_data_object_win32.h"
#include "platform/text_win32.h"
#include "store/program_folder_win32.h"
#include "tests/native/support/fakes.h"
#include "tests/win32/support/handle_slots.h"
#include "tests/win32/support/temp_folder.h"
#include "tests/win32/support/window_helpers.h"

namespace vantry {
namespace {

using test::Click;
using test::WindowText;

struct Levels {
    DWORD gdiObjects, userObjects;  // zero under Wine
    long gdiSlots, userSlots;
    std::size_t privateBytes;
};

Levels Measure() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof(memory);
    K32GetProcessMemoryInfo(GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory));
    HANDLE process = GetCurrentProcess();
    // Wine may leave PrivateUsage at zero; the working set stands in for it then.
    return {GetGuiResources(process, GR_GDIOBJECTS), GetGuiResources(process, GR_USEROBJECTS),
            test::GdiSlotsInUse(), test::UserSlotsInUse(),
            memory.PrivateUsage ? memory.PrivateUsage : memory.WorkingSetSize};
}

constexpr int kWarmUp = 100;
constexpr int kMeasured = 2 * kWarmUp;
constexpr std::size_t kMemorySlack = 8u << 20;

// What grew between two measures with cycles in between, empty when nothing did. An object left
// behind each cycle raises a count by the number of cycles; what other threads and processes hold
// for a moment does not grow with them, so half a cycle's worth is the line.
std::string Leaks(const Levels& before, const Levels& after, int cycles) {
    std::string grown;
    auto check = [&](const char* name, long from, long to) {
        if (to - from > cycles / 2) {
            grown +=
                std::string(name) + " " + std::to_string(from) + "->" + std::to_string(to) + "; ";
        }
    };
    check("GDI objects", static_cast<long>(before.gdiObjects), static_cast<long>(after.gdiObjects));
    check("USER objects", static_cast<long>(before.userObjects),
          static_cast<long>(after.userObjects));
    check("GDI slots", before.gdiSlots, after.gdiSlots);
    check("USER slots", before.userSlots, after.userSlots);
    if (after.privateBytes > before.privateBytes + kMemorySlack) grown += "memory";
    return grown;
}

// The check keeps its power: one object of either table left behind a cycle fails it, over as few
// cycles as the soak measures when its time budget runs out at once.
TEST(LeakCheckTest, AnObjectLeftBehindEachCycleIsFound) {
    const BYTE andMask[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    const BYTE xorMask[4] = {};
    std::vector<HGDIOBJ> brushes;
    std::vector<HICON> icons;
    struct Case {
        const char* what;
        std::function<void()> cycle;
        bool leaks;
    } cases[] = {
        {"a brush", [&] { brushes.push_back(CreateSolidBrush(0)); }, true},
        {"an icon", [&] { icons.push_back(CreateIcon(nullptr, 1, 1, 1, 1, andMask, xorMask)); },
         true},
        {"nothing", [&] { DeleteObject(CreateSolidBrush(0)); }, false},
    };
    for (const Case& c : cases) {
        Levels before = Measure();
        for (int i = 0; i < kMeasured; ++i) c.cycle();
        EXPECT_EQ(Leaks(before, Measure(), kMeasured).empty(), !c.leaks) << c.what;
    }
    for (HGDIOBJ brush : brushes) DeleteObject(brush);
    for (HICON icon : icons) DestroyIcon(icon);
}

class SoakTest : public ::testing::Test {
  protected:
    void SetUp() override {
        OleInitialize(nullptr);
        for (const char* name : {"a", "b", "c", "d", "e", "w", "x"}) {
            test::WriteBytes(temp.File(std::string(name) + ".txt"), name);
        }
        test::WriteBytes(temp.File("VantryTabs.txt"), "Main |\r\nWork |\r\n\r\n\r\n\r\n");
        test::WriteBytes(temp.File("VantryList0.txt"), list0);
        test::WriteBytes(temp.File("VantryList1.txt"), list1);
        program = std::make_unique<Program>(folder, dialogs);
        program->launcher = [](const std::string&, int, LaunchMode) {
            return LaunchResult::Started;
        };
        program->Start();
    }
    void TearDown() override {
        program.reset();
        OleUninitialize();
    }

    // Runs cycles of one kind: the levels are taken after the warm-up and again at the end. At
    // least kMeasured cycles run in between however slow the machine is; beyond that, up to
    // cycles of them while the time budget lasts. Returns how many ran.
    template <typename Cycle>
    int Soak(const char* what, int cycles, double budgetSeconds, Cycle cycle) {
        auto started = std::chrono::steady_clock::now();
        auto elapsed = [&] {
            return std::chrono::duration<double>(std::chrono::steady_clock::now() - started)
                .count();
        };
        int done = 0;
        for (; done < kWarmUp; ++done) cycle(done);
        Levels before = Measure();
        for (; done < cycles && (done < kWarmUp + kMeasured || elapsed() < budgetSeconds); ++done) {
            cycle(done);
        }
        Levels after = Measure();
        std::printf(
            "%s: %d cycles in %.1f s; GDI %lu->%lu, USER %lu->%lu, GDI slots %ld->%ld, USER "
            "slots %ld->%ld, memory %zu KB->%zu KB\n",
            what, done, elapsed(), before.gdiObjects, after.gdiObjects, before.userObjects,
            after.userObjects, before.gdiSlots, after.gdiSlots, before.userSlots, after.userSlots,
            before.privateBytes / 1024, after.privateBytes / 1024);
        RecordProperty(std::string(what) + "_cycles", done);
        EXPECT_EQ(Leaks(before, after, done - kWarmUp), "") << what;
        EXPECT_TRUE(dialogs.errors.empty()) << what << ": " << dialogs.errors.front();
        EXPECT_FALSE(program->Closed());
        return done;
    }
    std::string Read(const std::string& name) { return test::ReadBytes(temp.File(name)); }

    test::TempFolder temp;
    Win32ProgramFolder folder{temp.Path()};
    test::RecordingDialogs dialogs;
    std::unique_ptr<Program> program;
    const std::string list0 = temp.File("a.txt") + "\r\n" + temp.File("b.txt") + "\r\n" +
                              temp.File("c.txt") + "\r\n" + temp.File("d.txt") + "\r\n" +
                              temp.File("e.txt") + "\r\n";
    const std::string list1 = temp.File("w.txt") + "\r\n" + temp.File("x.txt") + "\r\n";
};

TEST_F(SoakTest, ManyCyclesKeepHandlesMemoryAndFilesLevel) {
    ListWindowWin32& small = program->Small();
    std::vector<DWM_Label*> labels;
    for (int i = 0; i < 5; ++i) labels.push_back(&small.ItemCaption(i));
    for (int k = 0; k < 2; ++k) labels.push_back(&small.Tab(k));
    labels.push_back(&small.CloseCaption());

    // A full fade in and out: enter, timer ticks to the end, leave, ticks to the end again.
    Soak("fades", 10000, 20.0, [&](int i) {
        DWM_Label& label = *labels[static_cast<std::size_t>(i) % labels.size()];
        HWND window = label.Window();
        SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        for (int tick = 0; tick < 100 && label.State().BlendLevel() < 255; ++tick) {
            SendMessageW(window, WM_TIMER, 1, 0);
        }
        ASSERT_EQ(label.State().BlendLevel(), 255);
        SendMessageW(window, WM_MOUSELEAVE, 0, 0);
        for (int tick = 0; tick < 100 && label.State().BlendLevel() < 255; ++tick) {
            SendMessageW(window, WM_TIMER, 1, 0);
        }
        ASSERT_EQ(label.State().BlendLevel(), 255);
    });
    EXPECT_EQ(WindowText(small.ItemCaption(0).Window()), "a");

    int tabSwitches = Soak("tab switches", 1000, 40.0, [&](int i) {
        Click(small.Tab(i % 2 == 0 ? 1 : 0).Window());
        ASSERT_EQ(small.Logic().Model().List, i % 2 == 0 ? 1 : 0);
        ASSERT_EQ(WindowText(small.ItemCaption(0).Window()), i % 2 == 0 ? "w" : "a");
    });
    // A run cut short by its budget after an even-numbered cycle leaves the second tab up.
    if (tabSwitches % 2 == 1) Click(small.Tab(0).Window());
    ASSERT_EQ(small.Logic().Model().List, 0);
    EXPECT_EQ(Read("VantryList0.txt"), list0);
    EXPECT_EQ(Read("VantryList1.txt"), list1);

    int styleSwitches = Soak("style switches", 500, 40.0, [&](int i) {
        const char* word = i % 2 == 0 ? kLargeStyle : kSmallStyle;
        program->Drop().StyleClick(word);
        ASSERT_EQ(Read("listtype.txt"), std::string(word) + "\r\n");
        ListWindowWin32& shown = i % 2 == 0 ? program->Large() : program->Small();
        ASSERT_TRUE(IsWindowVisible(shown.Window()));
        ASSERT_EQ(WindowText(shown.ItemCaption(4).Window()), "e");
    });
    // A run cut short by its budget after an even-numbered cycle leaves the large list up.
    if (styleSwitches % 2 == 1) program->Drop().StyleClick(kSmallStyle);
    ASSERT_TRUE(IsWindowVisible(small.Window()));

    Click(small.DropTargetCaption().Window());
    ASSERT_TRUE(program->DropForm()->Registration());
    IDropTarget* target = program->DropForm()->Registration()->Target();
    const std::string last = temp.File("e.txt");
    int deletes = Soak("deletes and drops", 500, 30.0, [&](int) {
        SendMessageW(small.ItemIcon(4).Window(), WM_RBUTTONDOWN, MK_RBUTTON, 0);
        ASSERT_EQ(WindowText(small.ItemCaption(4).Window()), "");
        auto* data = new ByteDataObject({{CF_HDROP, FileListBlock({last})}});
        DWORD effect = DROPEFFECT_COPY;
        ASSERT_EQ(target->Drop(data, MK_LBUTTON, {0, 0}, &effect), S_OK);
        data->Release();
        ASSERT_EQ(WindowText(small.ItemCaption(4).Window()), "e");
    });
    // One question a delete, however many cycles the time budget allowed.
    EXPECT_EQ(dialogs.questions.size(), static_cast<std::size_t>(deletes));

    Click(small.CloseCaption().Window());
    EXPECT_TRUE(program->Closed());
    EXPECT_EQ(Read("VantryList0.txt"), list0);
    EXPECT_EQ(Read("VantryList1.txt"), list1);
    EXPECT_EQ(Read("VantryTabs.txt"), "Main |\r\nWork |\r\n\r\n\r\n\r\n");
    EXPECT_EQ(Read("listtype.txt"), "small\r\n");
}

}  // namespace
}  // namespace vantry
