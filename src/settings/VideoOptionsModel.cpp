#include "settings/VideoOptionsModel.h"

#include "settings/Options.h"

namespace veltrane {

void TVideoOptionsModel::SelectMode(int index) {
    if (index != ItemFullScreen && index != ItemWindowed) index = NoItem;
    if (index == FullscreenIndex) return;
    FullscreenIndex = index;
    rgFullscreenClick();
}

void TVideoOptionsModel::SetDesktop(bool checked) {
    if (checked == DesktopChecked) return;
    DesktopChecked = checked;
    cbDesktopClick();
}

void TVideoOptionsModel::SelectResolution(int index) {
    ResIndex = index >= 0 && index < int(ResolutionItems.size()) ? index : NoItem;
}

void TVideoOptionsModel::FormShow(const TOptions& options) {
    SelectMode(options.Fullscreen ? ItemFullScreen : ItemWindowed);
    // Entry 9, the desktop's size, has no item: the list then shows nothing.
    SelectResolution(options.Resolution);
    // In a window the desktop's size is never used: the box stays cleared and disabled, as the
    // mode rule left it, instead of showing a stored tick that would lock the list at 800x600.
    if (FullscreenIndex == ItemFullScreen) SetDesktop(options.Desktop);
    ShowHelpChecked = options.Help;
    cbDesktopClick();
}

void TVideoOptionsModel::rgFullscreenClick() {
    if (FullscreenIndex == ItemWindowed) {
        DesktopEnabled = false;
        DesktopChecked = false;
    } else if (FullscreenIndex == ItemFullScreen) {
        DesktopEnabled = true;
        DesktopChecked = true;
    }
    cbDesktopClick();
}

void TVideoOptionsModel::cbDesktopClick() {
    if (DesktopChecked) {
        ResEnabled = false;
        ResIndex = DesktopResolutionItem;
    } else {
        ResEnabled = true;
    }
}

bool TVideoOptionsModel::btnOKClick(TOptions& options, std::string* error) {
    options.Fullscreen = FullscreenIndex == ItemFullScreen;
    options.Color = 1;
    options.Resolution = static_cast<uint8_t>(ResIndex == NoItem ? DesktopResolutionItem : ResIndex);
    options.Desktop = DesktopChecked;
    options.Help = ShowHelpChecked;
    return options.Save(error);
}

} // namespace veltrane
