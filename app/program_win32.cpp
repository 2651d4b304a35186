#include "app/program_win32.h"

#include "platform/message_pump_win32.h"
#include "store/path_helpers.h"

namespace vantry {

Program::Program(ProgramFolder& folder, UserDialogs& dialogs)
    : launcher(LaunchPath),
      files_(folder, dialogs),
      dialogs_(dialogs),
      large_(kLargeLayout, useList_, files_, dialogs, *this, guard_),
      small_(kSmallLayout, useList_, files_, dialogs, *this, guard_),
      drop_(useList_, files_, large_.Logic(), small_.Logic(), dropView_, *this, guard_) {}

Program::~Program() {
    CloseAllWindows();
}

void Program::CreateDropForm() {
    dropForm_ = std::make_unique<DropWindowWin32>();
    dropForm_->Create([this](const std::string& word) { drop_.StyleClick(word); }, intake_);
}

void Program::Start() {
    CreateDropForm();
    large_.Create();
    small_.Create();
    drop_.Start();
}

int Program::Run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // The configuration window handles its keyboard like a dialog (Tab, Enter).
        if (config_.TranslateDialogMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

void Program::DropView::SetVisible(bool visible) {
    if (program_.dropForm_) program_.dropForm_->SetVisible(visible);
}

void Program::ShowDropWindow() {
    // A drop window the user has closed is gone; showing it creates a new one.
    if (!dropForm_ || !dropForm_->Window()) CreateDropForm();
    dropForm_->SetVisible(true);
}

void Program::ShowConfigWindow() {
    config_.Show();
}

void Program::CloseAllWindows() {
    if (closed_) return;
    closed_ = true;
    if (dropForm_) dropForm_->Close();
    large_.Close();
    small_.Close();
    config_.Close();
    PostQuitMessage(0);
}

void Program::Launch(const std::string& path, int showCommand) {
    launcher(path, showCommand);
}

void Program::PumpMessages() {
    PumpPendingMessages();
}

}  // namespace vantry
