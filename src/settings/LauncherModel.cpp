#include "settings/LauncherModel.h"

#include "platform/DebugLog.h"
#include "platform/MessageBox.h"
#include "settings/Options.h"

#include <exception>

namespace veltrane {

TLauncherModel::TLauncherModel(ILauncherView& view, ILauncherHost& host, std::string title, TOptions& options)
    : view_(view), host_(host), title_(std::move(title)), options_(options) {}

void TLauncherModel::FormCreate() {
    try {
        options_.Load();
    } catch (const std::exception& e) {
        ShowMessageBox(nullptr, title_, e.what(), TMessageIcon::Error);
    }
}

void TLauncherModel::FormShow() {
    view_.SetCaption(title_);
}

void TLauncherModel::btnStartClick() {
    host_.CreateMainWindow();
    view_.Hide();
    FormHide();
}

void TLauncherModel::btnOptionsClick() {
    view_.ShowVideoOptions();
}

void TLauncherModel::btnExitClick() {
    host_.CloseDGfx();
    view_.Close();
}

void TLauncherModel::FormHide() {
    if (!host_.MainWindowExists()) return;
    const bool fullscreen = options_.Fullscreen;
    DebugLog(false, fullscreen ? " Fullscreen = True" : " Fullscreen = False");
    host_.ShowMainWindow(fullscreen ? TBorderStyle::None : TBorderStyle::Single);
}

} // namespace veltrane
