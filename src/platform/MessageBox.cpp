#include "platform/MessageBox.h"

#include <cstdio>

namespace veltrane {

namespace {

TMessageBoxHandler& Presenter() {
    static TMessageBoxHandler presenter;
    return presenter;
}

TMessageBoxHandler& Handler() {
    static TMessageBoxHandler handler;
    return handler;
}

unsigned Shown = 0;

} // namespace

void ShowMessageBox(void* owner, const std::string& caption, const std::string& text, TMessageIcon icon) {
    ++Shown;
    if (Handler()) {
        Handler()(owner, caption, text, icon);
    } else if (Presenter()) {
        Presenter()(owner, caption, text, icon);
    } else {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
}

void SetMessageBoxPresenter(TMessageBoxHandler presenter) {
    Presenter() = std::move(presenter);
}

void SetMessageBoxHandler(TMessageBoxHandler handler) {
    Handler() = std::move(handler);
}

unsigned MessageBoxesShown() {
    return Shown;
}

} // namespace veltrane
