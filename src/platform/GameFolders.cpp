#include "platform/GameFolders.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace veltrane {
namespace fs = std::filesystem;

namespace {

// $HOME, or the account's home folder when HOME is unset or empty.
std::string HomeFolder(const char* home) {
    if (home && *home) return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
    return {};
}

} // namespace

TGameFolders FindGameFolders(const std::string& programFolder, const char* xdgDataHome, const char* home) {
    const fs::path program = fs::path(programFolder).lexically_normal();
    std::error_code ec;
    if (fs::is_directory(program / "data", ec)) return {false, program.string(), program.string()};

    TGameFolders folders;
    folders.Installed = true;
    // "bin/" has a trailing empty name; its parent path is the folder itself.
    const fs::path bin = program.has_filename() ? program : program.parent_path();
    folders.Game = (bin.parent_path() / "share" / "veltrane").string();
    const fs::path dataHome = xdgDataHome && fs::path(xdgDataHome).is_absolute()
                                  ? fs::path(xdgDataHome)
                                  : fs::path(HomeFolder(home)) / ".local" / "share";
    folders.Player = (dataHome / "veltrane").lexically_normal().string();
    return folders;
}

bool PreparePlayerFolder(const std::string& folder, std::string& error) {
    const fs::path root = folder;
    if (!root.is_absolute()) {
        error = "no home folder to keep the player's files in";
        return false;
    }
    for (const fs::path& sub : {root / "data", root / "Images" / "Tutorial"}) {
        std::error_code ec;
        fs::create_directories(sub, ec);
        if (ec) {
            error = "cannot make " + sub.string() + ": " + ec.message();
            return false;
        }
        // Every file is written as a new file renamed over the old one, so the folder itself
        // must take new entries.
        if (access(sub.c_str(), W_OK | X_OK) != 0) {
            error = "cannot write in " + sub.string() + ": " + std::strerror(errno);
            return false;
        }
    }
    if (access(root.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write in " + root.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

} // namespace veltrane
