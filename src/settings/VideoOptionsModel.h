// The rules of the video options dialog, kept apart from any window so tests can drive them:
// the state of each control and what showing the dialog, choosing a mode, ticking "Use desktop
// settings" and pressing Ok do to it and to the settings. The FLTK form mirrors this state.
#pragma once

#include <array>
#include <string>

namespace veltrane {

class TOptions;

class TVideoOptionsModel {
public:
    // Items of the mode radio group; the first is stored with trailing blanks, as on the form.
    static constexpr int NoItem = -1;
    static constexpr int ItemFullScreen = 0;
    static constexpr int ItemWindowed = 1;
    static constexpr std::array<const char*, 2> ModeItems = {"Full screen              ", "Windowed"};
    // The resolution list; item k is entry k of the resolution table.
    static constexpr std::array<const char*, 9> ResolutionItems = {"512x384",  "640x400",  "640x480",
                                                                   "800x600",  "1024x768", "1152x864",
                                                                   "1280x768", "1280x960", "1280x1024"};
    // What the list shows while the desktop's own size is used.
    static constexpr int DesktopResolutionItem = 3;

    // rgFullscreen: the selected item, or NoItem (as the form is stored).
    int FullscreenIndex = NoItem;
    // cbDesktop.
    bool DesktopChecked = false;
    bool DesktopEnabled = true;
    // cbRes and its label labRes, enabled together.
    int ResIndex = NoItem;
    bool ResEnabled = true;
    // cbShowHelp.
    bool ShowHelpChecked = false;

    // The controls' own changes, as the player or the program makes them. A change of the mode
    // selection runs the mode rule; a change of the desktop box runs the desktop rule; an index
    // outside the list leaves no item selected.
    void SelectMode(int index);
    void SetDesktop(bool checked);
    void SelectResolution(int index);

    // Puts the settings into the controls.
    void FormShow(const TOptions& options);
    // Mode rule: Windowed clears and disables the desktop box, Full screen enables and ticks it;
    // then the desktop rule.
    void rgFullscreenClick();
    // Desktop rule: ticked shows "800x600" in a disabled list, unticked enables the list.
    void cbDesktopClick();
    // Stores the controls in the settings (always 32-bit colour) and saves them. False (and error)
    // when the settings file could not be written; the new values are kept in memory all the same.
    bool btnOKClick(TOptions& options, std::string* error = nullptr);
};

} // namespace veltrane
