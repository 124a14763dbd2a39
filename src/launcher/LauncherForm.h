// The launcher window ("StartUp") in FLTK: the picture and the three buttons over
// TLauncherModel. The program entry makes it first, then the video options dialog, and runs the
// dialogs' event loop; the loop returns once the launcher is hidden or closed.
#pragma once

#include "settings/LauncherModel.h"

#include <memory>
#include <string>

class Fl_Double_Window;
class Fl_Image;
class Fl_Widget;

namespace veltrane {

class TFormVideoMode;

class TStartUp final : public ILauncherView {
public:
    // The picture, in the game folder.
    static constexpr const char* PictureFile = "Images\\launcher.jpg";

    // Builds the window and runs FormCreate: the settings are loaded.
    TStartUp(ILauncherHost& host, std::string title, TOptions& options);
    ~TStartUp() override;
    TStartUp(const TStartUp&) = delete;
    TStartUp& operator=(const TStartUp&) = delete;

    // The dialog "&Options" opens.
    void SetVideoOptions(TFormVideoMode* dialog) { videoOptions_ = dialog; }

    // Shows the launcher centred on the screen with the application title as its caption.
    void Show();
    // Runs the dialogs until none is shown: the launcher was hidden to start the game or closed.
    static void Run();

    // ILauncherView
    void SetCaption(const std::string& caption) override;
    void Hide() override;
    void Close() override;
    void ShowVideoOptions() override;

private:
    static void StartClicked(Fl_Widget* widget, void* form);
    static void OptionsClicked(Fl_Widget* widget, void* form);
    static void ExitClicked(Fl_Widget* widget, void* form);

    TLauncherModel model_;
    std::unique_ptr<Fl_Double_Window> window_;
    std::unique_ptr<Fl_Image> picture_;
    TFormVideoMode* videoOptions_ = nullptr;
};

} // namespace veltrane
