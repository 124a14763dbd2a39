// Program entry: the launcher first; its "Start Game" brings up the main window, whose frame
// loop then runs until the window is closed, which ends the program.
#include "app/FormMain.h"
#include "app/SdlWindowHost.h"
#include "hosts/SdlMessageBox.h"
#include "launcher/LauncherForm.h"
#include "launcher/VideoOptionsForm.h"
#include "platform/KeyValueStore.h"
#include "settings/LauncherModel.h"

#include <SDL.h>

#include <filesystem>

namespace veltrane {
namespace {

// The main window as the launcher drives it. The launcher's event loop must end before the SDL
// window's begins, so showing the window is remembered and done once the launcher has gone.
class TLauncherHost final : public ILauncherHost {
public:
    explicit TLauncherHost(TSdlWindowHost& window) : window_(window) {}
    bool MainWindowExists() const override { return window_.FormExists(); }
    void CreateMainWindow() override { window_.CreateForm(); }
    void ShowMainWindow(TBorderStyle /*border: the window's mode follows the settings*/) override {
        ShowRequested = true;
    }
    void CloseDGfx() override { window_.CloseDGfx(); }

    bool ShowRequested = false;

private:
    TSdlWindowHost& window_;
};

} // namespace
} // namespace veltrane

int main(int /*argc*/, char* /*argv*/[]) {
    using namespace veltrane;
    SDL_SetMainReady();
    InstallSdlMessageBoxes();
    // The game reads and writes its files beside the program.
    if (char* base = SDL_GetBasePath()) {
        std::error_code error;
        std::filesystem::current_path(base, error);
        SDL_free(base);
    }

    int exitCode = 0;
    {
        TSdlWindowHost window;
        TLauncherHost host(window);
        TStartUp startUp(host, TFormMain::Caption, SettingsFilePath());
        TFormVideoMode videoOptions;
        startUp.SetVideoOptions(&videoOptions);
        startUp.Show();
        TStartUp::Run();
        if (host.ShowRequested) exitCode = window.Run();
    }
    SDL_Quit();
    return exitCode;
}
