// Program entry: the launcher first; its "Start Game" brings up the main window, whose frame
// loop then runs until the window is closed, which ends the program.
#include "app/FormMain.h"
#include "app/SdlWindowHost.h"
#include "game/Flow.h"
#include "hosts/SdlMessageBox.h"
#include "launcher/LauncherForm.h"
#include "launcher/VideoOptionsForm.h"
#include "platform/DebugLog.h"
#include "platform/GameFolders.h"
#include "platform/KeyValueStore.h"
#include "platform/Paths.h"
#include "settings/LauncherModel.h"
#include "settings/Options.h"
#include "sound/Sound.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
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

void PrintUsage(std::FILE* to) {
    std::fprintf(to,
                 "Usage: veltrane [--help | --version]\n"
                 "Veltrane, a 3D cube puzzle game. It opens its launcher; \"Start Game\" opens the game.\n"
                 "\n"
                 "  --help     print this text and exit\n"
                 "  --version  print the version and exit\n"
                 "\n"
                 "An installed game keeps saved games, high scores and its trace in\n"
                 "$XDG_DATA_HOME/veltrane (~/.local/share/veltrane); the settings are in\n"
                 "$XDG_CONFIG_HOME/Quillomar/settings.ini (~/.config/Quillomar/settings.ini).\n");
}

// -1 when the game should start, else the exit status: --help and --version only print.
int HandleCommandLine(int argc, char* argv[]) {
    if (argc <= 1) return -1;
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        PrintUsage(stdout);
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("veltrane %s\n", VELTRANE_VERSION);
        return 0;
    }
    // Named is the first argument that is not a lone --help or --version.
    const bool knownFirst = std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "--version") == 0;
    std::fprintf(stderr, "veltrane: unknown option '%s'\n", argv[knownFirst ? 2 : 1]);
    PrintUsage(stderr);
    return 2;
}

// Portable (the build's game folder): everything beside the program, which becomes the current
// folder. Installed: the game folder in ../share/veltrane, the player's files in their own
// folder (see FindGameFolders). The current folder is then the read-only game folder, so no
// file ever lands in the folder the game was started from.
void UseGameFolders() {
    char* base = SDL_GetBasePath();
    if (!base) return;
    const TGameFolders folders = FindGameFolders(base, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    SDL_free(base);
    std::error_code ignored;
    std::filesystem::current_path(folders.Game, ignored);
    if (!folders.Installed) return;

    SetFileRoots(folders.Game, folders.Player);
    // The pictures and sounds the game names from its program's folder are in the game folder.
    SetResourceFolder(folders.Game + "/");
    SetSoundProgramDir(folders.Game);
    std::string error;
    if (PreparePlayerFolder(folders.Player, error)) {
        SetDebugLogFile((std::filesystem::path(folders.Player) / "debug.txt").string());
        return;
    }
    // The game still runs; what it cannot keep is reported as it fails, on standard error with
    // the rest of the trace.
    std::fprintf(stderr,
                 "veltrane: %s. The game runs, but saved games, high scores and the trace cannot be "
                 "kept.\n",
                 error.c_str());
    SetDebugLogToStandardError();
}

} // namespace
} // namespace veltrane

int main(int argc, char* argv[]) {
    using namespace veltrane;
    if (const int status = HandleCommandLine(argc, argv); status >= 0) return status;
    SDL_SetMainReady();
    InstallSdlMessageBoxes();
    UseGameFolders();

    int exitCode = 0;
    {
        // The settings of the run: loaded by the launcher, changed by its dialog and the menu,
        // saved when the main window closes.
        TOptions options(SettingsFilePath());
        TSdlWindowHost window(options);
        TLauncherHost host(window);
        TStartUp startUp(host, TFormMain::Caption, options);
        TFormVideoMode videoOptions(options);
        startUp.SetVideoOptions(&videoOptions);
        startUp.Show();
        TStartUp::Run();
        if (host.ShowRequested) exitCode = window.Run();
    }
    SDL_Quit();
    return exitCode;
}
