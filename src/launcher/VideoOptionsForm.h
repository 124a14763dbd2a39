// The video options dialog ("Options") in FLTK: the controls of its layout, each event handed to
// TVideoOptionsModel and the controls set again from the model's state.
#pragma once

#include "settings/VideoOptionsModel.h"

#include <memory>

class Fl_Double_Window;
class Fl_Round_Button;
class Fl_Check_Button;
class Fl_Choice;
class Fl_Box;
class Fl_Widget;

namespace veltrane {

class TOptions;

class TFormVideoMode final {
public:
    static constexpr const char* Caption = "Options";

    // options: the settings the dialog shows and stores; they must outlive the dialog.
    explicit TFormVideoMode(TOptions& options);
    ~TFormVideoMode();
    TFormVideoMode(const TFormVideoMode&) = delete;
    TFormVideoMode& operator=(const TFormVideoMode&) = delete;

    // Shows the dialog centred on the screen over the settings and waits until it closes;
    // true when it closed with Ok (the settings are then stored and saved).
    bool ShowModal();

private:
    static void ModeClicked(Fl_Widget* widget, void* form);
    static void DesktopClicked(Fl_Widget* widget, void* form);
    static void ResolutionChosen(Fl_Widget* widget, void* form);
    static void HelpClicked(Fl_Widget* widget, void* form);
    static void OkClicked(Fl_Widget* widget, void* form);
    static void CancelClicked(Fl_Widget* widget, void* form);

    // Sets every control from the model.
    void ShowModel();

    TOptions& options_;
    TVideoOptionsModel model_;
    std::unique_ptr<Fl_Double_Window> window_;
    Fl_Round_Button* mode_[2] = {nullptr, nullptr};
    Fl_Box* labRes_ = nullptr;
    Fl_Check_Button* cbDesktop_ = nullptr;
    Fl_Choice* cbRes_ = nullptr;
    Fl_Check_Button* cbShowHelp_ = nullptr;
    bool ok_ = false;
};

} // namespace veltrane
