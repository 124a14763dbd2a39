#include "launcher/LauncherForm.h"

#include "launcher/LauncherDialogs.h"
#include "launcher/VideoOptionsForm.h"
#include "platform/Paths.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_JPEG_Image.H>
#include <FL/Fl_Return_Button.H>

#include <algorithm>

namespace veltrane {

namespace {

// The picture fitted into its box keeping its proportions; null when it cannot be read.
std::unique_ptr<Fl_Image> LoadPicture(int boxWidth, int boxHeight) {
    Fl_JPEG_Image jpeg(ResolvePath(TStartUp::PictureFile).c_str());
    if (jpeg.fail() || jpeg.w() <= 0 || jpeg.h() <= 0) return nullptr;
    const double scale = std::min(double(boxWidth) / jpeg.w(), double(boxHeight) / jpeg.h());
    const int w = std::max(1, int(jpeg.w() * scale + 0.5));
    const int h = std::max(1, int(jpeg.h() * scale + 0.5));
    return std::unique_ptr<Fl_Image>(jpeg.copy(w, h));
}

template <class Widget>
Widget* Small(Widget* widget) {
    widget->labelsize(DialogFontSize);
    return widget;
}

} // namespace

TStartUp::TStartUp(ILauncherHost& host, std::string title, TOptions& options)
    : model_(*this, host, std::move(title), options) {
    window_ = std::make_unique<Fl_Double_Window>(327, 166, TLauncherModel::StoredCaption);
    window_->xclass("veltrane");
    window_->callback(ExitClicked, this); // Escape and the close box act as "Exit"

    // Panel1: fills the form, lowered outside and raised inside.
    new Fl_Box(FL_ENGRAVED_BOX, 0, 0, 327, 166, nullptr);

    auto* programIcon = new Fl_Box(FL_NO_BOX, 8, 8, 200, 150, nullptr);
    picture_ = LoadPicture(programIcon->w(), programIcon->h());
    if (picture_) programIcon->image(picture_.get());
    programIcon->align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE);

    auto* btnStart = Small(new Fl_Return_Button(215, 8, 105, 25, "&Start Game"));
    btnStart->callback(StartClicked, this);
    auto* btnOptions = Small(new Fl_Button(215, 40, 105, 25, "&Options"));
    btnOptions->callback(OptionsClicked, this);
    auto* btnExit = Small(new Fl_Button(215, 134, 105, 25, "E&xit"));
    btnExit->callback(ExitClicked, this);

    window_->end();
    model_.FormCreate();
}

TStartUp::~TStartUp() = default;

void TStartUp::Show() {
    model_.FormShow();
    CentreOnScreen(*window_);
    window_->show();
}

void TStartUp::Run() {
    Fl::run();
}

void TStartUp::SetCaption(const std::string& caption) {
    window_->copy_label(caption.c_str());
}

void TStartUp::Hide() {
    window_->hide();
    Fl::flush();
}

void TStartUp::Close() {
    window_->hide();
}

void TStartUp::ShowVideoOptions() {
    if (videoOptions_) videoOptions_->ShowModal();
}

void TStartUp::StartClicked(Fl_Widget* /*widget*/, void* form) {
    static_cast<TStartUp*>(form)->model_.btnStartClick();
}

void TStartUp::OptionsClicked(Fl_Widget* /*widget*/, void* form) {
    static_cast<TStartUp*>(form)->model_.btnOptionsClick();
}

void TStartUp::ExitClicked(Fl_Widget* /*widget*/, void* form) {
    static_cast<TStartUp*>(form)->model_.btnExitClick();
}

} // namespace veltrane
