// The rules of the launcher, the first window of the program: it makes and loads the settings,
// opens the video options, starts the main window and ends the program. The FLTK form is a thin
// view over it; the program entry supplies the main window through ILauncherHost, so this layer
// never reaches up into the application.
#pragma once

#include <string>

namespace veltrane {

class TOptions;

// The main window's frame when the launcher shows it.
enum class TBorderStyle {
    None,   // full screen
    Single, // a fixed border around a window
};

// The main window as the launcher sees it; provided by the program entry.
class ILauncherHost {
public:
    virtual ~ILauncherHost() = default;
    virtual bool MainWindowExists() const = 0;
    // Makes a new main window, freeing one left from an earlier start.
    virtual void CreateMainWindow() = 0;
    // Shows the main window in the normal window state with the given frame.
    virtual void ShowMainWindow(TBorderStyle border) = 0;
    // Releases the main window's graphics objects; those that do not exist are left alone.
    virtual void CloseDGfx() = 0;
};

// The launcher window itself.
class ILauncherView {
public:
    virtual ~ILauncherView() = default;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void Hide() = 0;
    // Closes the launcher, which ends the program.
    virtual void Close() = 0;
    // Shows the video options dialog and returns when it has closed.
    virtual void ShowVideoOptions() = 0;
};

class TLauncherModel {
public:
    // The caption the form is stored with; the application title replaces it on every show.
    static constexpr const char* StoredCaption = "Orvandel 1.0";

    // title: the application's title; options: the settings of the run, which must outlive the
    // launcher (the program entry keeps them for the main window too).
    TLauncherModel(ILauncherView& view, ILauncherHost& host, std::string title, TOptions& options);
    TLauncherModel(const TLauncherModel&) = delete;
    TLauncherModel& operator=(const TLauncherModel&) = delete;

    // Loads the settings from their store. A load that fails on a value is reported in a message box with the
    // error's text; the launcher goes on with what was read.
    void FormCreate();
    // The caption becomes the application title.
    void FormShow();
    // Creates the main window and hides the launcher, which brings the main window up.
    void btnStartClick();
    void btnOptionsClick();
    // Releases the graphics objects that exist and closes the launcher. Escape and the close box
    // do the same.
    void btnExitClick();
    // With a main window: traces the mode and shows the window, without frame in full screen.
    void FormHide();

private:
    ILauncherView& view_;
    ILauncherHost& host_;
    std::string title_;
    TOptions& options_;
};

} // namespace veltrane
