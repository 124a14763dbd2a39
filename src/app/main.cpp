// Program entry: the settings, then the main window with its frame loop, in the game folder.
#include "app/SdlWindowHost.h"
#include "platform/MessageBox.h"
#include "settings/Options.h"

#include <SDL.h>

#include <exception>
#include <filesystem>

int main(int /*argc*/, char* /*argv*/[]) {
    using namespace veltrane;
    SDL_SetMainReady();
    // The game reads and writes its files beside the program.
    if (char* base = SDL_GetBasePath()) {
        std::error_code error;
        std::filesystem::current_path(base, error);
        SDL_free(base);
    }

    Options = new TOptions;
    try {
        Options->Load();
    } catch (const std::exception& e) {
        // The game goes on with the settings read so far.
        ShowMessageBox(nullptr, "Veltrane", e.what(), TMessageIcon::Error);
    }

    int exitCode = 0;
    {
        TSdlWindowHost host;
        exitCode = host.Run();
    }
    SDL_Quit();
    return exitCode;
}
