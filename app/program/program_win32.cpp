#include "app/program/program_win32.h"

#include "app/list/taskbar_placement_win32.h"
#include "app/program/single_instance_win32.h"
#include "platform/dpi_win32.h"
#include "platform/message_pump_win32.h"
#include "platform/text_win32.h"
#include "platform/units.h"
#include "store/path_helpers.h"
#include "store/program_folder_win32.h"

namespace vantry {

namespace {

constexpr int kGapPixels = 8;  // at 96 dpi

// Opens a window beside the list window on screen (right of it, or left where its monitor ends),
// its top or its bottom level with the list's, rather than at the screen's corner.
void PlaceBeside(HWND window, const ListWindowWin32* list, bool alignTop) {
    if (!window || !list) return;
    RECT listRect;
    RECT own;
    GetWindowRect(list->Window(), &listRect);
    GetWindowRect(window, &own);
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int gap = ScaleFrom96(kGapPixels, list->MonitorDpi());
    int left = listRect.right + gap;
    if (left + width > MonitorAreasOf(list->Window(), nullptr).work.right) {
        left = listRect.left - gap - width;
    }
    int top = alignTop ? listRect.top : listRect.bottom - height;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The items of the tab the model shows, for its jump list.
std::vector<TabItem> ItemsOf(const ListModel& model) {
    std::vector<TabItem> items;
    for (int slot = 0; slot < model.OccupiedCount(); ++slot) {
        items.push_back({model.Path(slot), model.Caption(slot), model.TargetMissing(slot)});
    }
    return items;
}

// The folder Windows runs from, whose drive is the system drive.
std::string WindowsFolder() {
    wchar_t folder[MAX_PATH] = {};
    UINT length = GetSystemWindowsDirectoryW(folder, MAX_PATH);
    return length > 0 && length < MAX_PATH ? Narrow(folder) : std::string();
}

}  // namespace

Program::Program(ProgramFolder& folder, UserDialogs& dialogs, IconService::Lookup lookup,
                 IconService::Check check)
    : launcher(LaunchPath),
      folder_(folder),
      files_(folder, dialogs),
      dialogs_(dialogs),
      icons_(std::move(lookup), std::move(check),
             ProgramDrive(ExecutableFolder(), WindowsFolder())),
      large_(kLargeLayout, useList_, files_, dialogs, *this, guard_, icons_),
      small_(kSmallLayout, useList_, files_, dialogs, *this, guard_, icons_),
      drop_(useList_, files_, large_.Logic(), small_.Logic(), dropView_, *this, guard_) {}

// Destroyed without the close action (a test, or after the loop has ended): no quit request.
Program::~Program() {
    DestroyWindows();
}

void Program::CreateDropForm() {
    dropForm_ = std::make_unique<DropWindowWin32>();
    dropForm_->Create([this](const std::string& word) { drop_.StyleClick(word); }, intake_);
}

void Program::UseTaskbar(const std::string& programFolder, const std::string& programPath,
                         JumpListShell& shell) {
    taskbar_ =
        std::make_unique<TaskbarTabs>(files_, folder_, dialogs_, programFolder,
                                      Narrow(FolderKey(Widen(programFolder))), programPath, shell);
    for (ListWindowWin32* list : {&large_, &small_}) {
        ListModel& model = list->Logic().Model();
        model.onLoaded = [this, &model] {
            taskbar_->Lists().TabLoaded(model.List, ItemsOf(model));
        };
        model.onSaved = [this, &model] { taskbar_->Lists().TabSaved(model.List, ItemsOf(model)); };
        list->onTabShown = [this, list](int k) { taskbar_->TabShown(list->Window(), k); };
    }
    taskbar_->refuseChange = [this] { return files_.RefusesChanges(); };
    config_.onMakeShortcut = [this](int k, const std::string& name, const TabNames& names) {
        if (taskbar_->MakeShortcut(k, name, names).empty()) return;
        // The window on that tab now belongs to the shortcut's button.
        for (ListWindowWin32* list : {&large_, &small_}) {
            if (list->Window()) taskbar_->TabShown(list->Window(), list->Logic().Model().List);
        }
    };
    config_.onTabsStored = [this](const TabNames& names) { taskbar_->Lists().TabsRenamed(names); };
}

void Program::UseIconCache(FolderFiles& folder) {
    iconCache_ = std::make_unique<IconCache>(folder);
    large_.UseIconCache(iconCache_.get());
    small_.UseIconCache(iconCache_.get());
}

// Every window is made when it is first shown: start-up would only create them to hide them.
void Program::Start(const StartRequest& request) {
    const bool open = request.kind == StartRequest::Kind::Open;
    // Started from a taskbar button: the list opens at that button.
    if (std::optional<POINT> pointer = PointerOnTaskbar()) {
        large_.OpenAtTaskbar(*pointer);
        small_.OpenAtTaskbar(*pointer);
    }
    drop_.Start(request.tab, !open);
    if (!open) return;
    ListWindowWin32& list = ChosenListWindow();
    list.Logic().OpenStoredItem(request.tab, request.path);
    if (!closed_) list.SetVisible(true);
}

void Program::CarryOut(const StartRequest& request) {
    ListWindowWin32* list = closed_ ? nullptr : &ChosenListWindow();
    if (!list || !list->Visible()) return;
    ListWindow& logic = list->Logic();
    if (logic.Model().List != request.tab) logic.TabClick(request.tab);
    if (request.kind == StartRequest::Kind::Open) logic.OpenStoredItem(request.tab, request.path);
}

int Program::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The configuration and drop windows handle their keyboard like dialogs (Tab, Enter).
        if (config_.TranslateDialogMessage(msg)) continue;
        if (dropForm_ && dropForm_->TranslateDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    PumpWhileWindowsOpen();
    return 0;
}

void Program::DropView::SetVisible(bool visible) {
    if (program_.dropForm_) program_.dropForm_->SetVisible(visible);
}

const ListWindowWin32* Program::ShownListWindow() const {
    if (large_.Visible()) return &large_;
    return small_.Visible() ? &small_ : nullptr;
}

void Program::ShowDropWindow() {
    // A drop window the user has closed is gone; showing it creates a new one.
    if (!dropForm_ || !dropForm_->Window()) CreateDropForm();
    if (!IsWindowVisible(dropForm_->Window())) {
        PlaceBeside(dropForm_->Window(), ShownListWindow(), true);
    }
    dropForm_->SetVisible(true);
}

void Program::ShowConfigWindow() {
    bool wasOpen = config_.IsOpen();
    config_.Show();
    if (!wasOpen) PlaceBeside(config_.Window(), ShownListWindow(), false);
}

bool Program::BringToFront() {
    const ListWindowWin32* shown = ShownListWindow();
    HWND list = shown ? shown->Window() : nullptr;
    if (closed_ || !list) return false;
    if (IsIconic(list)) ShowWindow(list, SW_RESTORE);
    // Raised as well as activated: without the foreground right (the later start may not have
    // had it to give) activation only flashes the taskbar button.
    constexpr UINT kRaise = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    SetWindowPos(list, HWND_TOP, 0, 0, 0, 0, kRaise);
    SetForegroundWindow(list);
    HWND drop = dropForm_ ? dropForm_->Window() : nullptr;
    if (drop && IsWindowVisible(drop)) SetWindowPos(drop, HWND_TOP, 0, 0, 0, 0, kRaise);
    return true;
}

void Program::CloseAllWindows() {
    if (closed_) return;
    closed_ = true;
    if (onAllSaved) {
        HWND drop = dropForm_ ? dropForm_->Window() : nullptr;
        onAllSaved(OtherWindowOpen({large_.Window(), small_.Window(), drop, config_.Window()}));
    }
    DestroyWindows();
    PostQuitMessage(0);
}

void Program::DestroyWindows() {
    closed_ = true;
    if (dropForm_) dropForm_->Close();
    large_.Close();
    small_.Close();
    config_.Close();
}

LaunchResult Program::Launch(const std::string& path, int showCommand, LaunchMode mode) {
    return launcher(path, showCommand, mode);
}

TargetFound Program::CheckTarget(const std::string& path) {
    return icons_.Recheck(path);
}

void Program::PumpMessages() {
    PumpPendingMessages();
}

std::string Program::FoldCase(const std::string& text) const {
    return vantry::FoldCase(text);
}

}  // namespace vantry
