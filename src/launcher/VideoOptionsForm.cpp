#include "launcher/VideoOptionsForm.h"

#include "launcher/LauncherDialogs.h"
#include "platform/MessageBox.h"
#include "settings/Options.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Round_Button.H>

#include <string>

namespace veltrane {

namespace {

template <class Widget>
Widget* Small(Widget* widget) {
    widget->labelsize(DialogFontSize);
    return widget;
}

} // namespace

TFormVideoMode::TFormVideoMode(TOptions& options) : options_(options) {
    window_ = std::make_unique<Fl_Double_Window>(297, 196, Caption);
    window_->xclass("veltrane");
    window_->callback(CancelClicked, this); // Escape and the close box cancel

    // rgFullscreen: a framed group of two radio items side by side.
    auto* group = new Fl_Group(12, 8, 273, 41);
    group->box(FL_ENGRAVED_FRAME);
    for (int i = 0; i < 2; ++i) {
        mode_[i] =
            Small(new Fl_Round_Button(12 + 8 + i * 136, 18, 128, 22, TVideoOptionsModel::ModeItems[i]));
        mode_[i]->type(FL_RADIO_BUTTON);
        mode_[i]->callback(ModeClicked, this);
    }
    group->end();

    labRes_ = Small(new Fl_Box(152, 55, 53, 13, "Resolution:"));
    labRes_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);

    cbDesktop_ = Small(new Fl_Check_Button(21, 78, 129, 17, "Use desktop settings"));
    cbDesktop_->callback(DesktopClicked, this);

    cbRes_ = new Fl_Choice(152, 74, 133, 21);
    cbRes_->textsize(DialogFontSize);
    for (const char* item : TVideoOptionsModel::ResolutionItems) cbRes_->add(item);
    cbRes_->callback(ResolutionChosen, this);

    // Bevel1: the top line of the bottom-aligned bevel, above the help option and the buttons.
    new Fl_Box(FL_ENGRAVED_FRAME, 0, 196 - 83, 297, 2, nullptr);

    cbShowHelp_ = Small(new Fl_Check_Button(21, 128, 268, 20, "Show help screen at startup"));
    cbShowHelp_->callback(HelpClicked, this);

    auto* ok = Small(new Fl_Return_Button(46, 161, 75, 25, "&Ok"));
    ok->callback(OkClicked, this);
    auto* cancel = Small(new Fl_Button(176, 161, 75, 25, "&Cancel"));
    cancel->callback(CancelClicked, this);

    window_->end();
}

TFormVideoMode::~TFormVideoMode() = default;

bool TFormVideoMode::ShowModal() {
    model_.FormShow(options_);
    ShowModel();
    ok_ = false;
    CentreOnScreen(*window_);
    window_->set_modal();
    window_->show();
    while (window_->shown()) Fl::wait();
    return ok_;
}

void TFormVideoMode::ShowModel() {
    for (int i = 0; i < 2; ++i) mode_[i]->value(model_.FullscreenIndex == i ? 1 : 0);
    cbDesktop_->value(model_.DesktopChecked ? 1 : 0);
    if (model_.DesktopEnabled)
        cbDesktop_->activate();
    else
        cbDesktop_->deactivate();
    if (model_.ResIndex == TVideoOptionsModel::NoItem)
        cbRes_->value(static_cast<const Fl_Menu_Item*>(nullptr));
    else
        cbRes_->value(model_.ResIndex);
    if (model_.ResEnabled) {
        cbRes_->activate();
        labRes_->activate();
    } else {
        cbRes_->deactivate();
        labRes_->deactivate();
    }
    cbShowHelp_->value(model_.ShowHelpChecked ? 1 : 0);
    window_->redraw();
}

void TFormVideoMode::ModeClicked(Fl_Widget* widget, void* form) {
    auto& self = *static_cast<TFormVideoMode*>(form);
    self.model_.SelectMode(widget == self.mode_[0] ? TVideoOptionsModel::ItemFullScreen
                                                   : TVideoOptionsModel::ItemWindowed);
    self.ShowModel();
}

void TFormVideoMode::DesktopClicked(Fl_Widget* /*widget*/, void* form) {
    auto& self = *static_cast<TFormVideoMode*>(form);
    self.model_.SetDesktop(self.cbDesktop_->value() != 0);
    self.ShowModel();
}

void TFormVideoMode::ResolutionChosen(Fl_Widget* /*widget*/, void* form) {
    auto& self = *static_cast<TFormVideoMode*>(form);
    self.model_.SelectResolution(self.cbRes_->value());
    self.ShowModel();
}

void TFormVideoMode::HelpClicked(Fl_Widget* /*widget*/, void* form) {
    auto& self = *static_cast<TFormVideoMode*>(form);
    self.model_.ShowHelpChecked = self.cbShowHelp_->value() != 0;
}

void TFormVideoMode::OkClicked(Fl_Widget* /*widget*/, void* form) {
    auto& self = *static_cast<TFormVideoMode*>(form);
    std::string error;
    if (!self.model_.btnOKClick(self.options_, &error))
        ShowMessageBox(nullptr, Caption, error, TMessageIcon::Error);
    self.ok_ = true;
    self.window_->hide();
}

void TFormVideoMode::CancelClicked(Fl_Widget* /*widget*/, void* form) {
    auto& self = *static_cast<TFormVideoMode*>(form);
    self.window_->hide();
}

} // namespace veltrane
