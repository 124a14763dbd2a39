// Where the game's files live: beside the program (the portable layout of the build's game
// folder) or, for an installed game, in the shared game folder and the player's own folder.
#pragma once

#include <string>

namespace veltrane {

struct TGameFolders {
    bool Installed = false;
    std::string Game;   // read-only: data/, Images/, Music/, Sounds/
    std::string Player; // saved games, high scores, the trace and converted pictures
};

// The rule: a program with a "data" folder beside it runs portable, with both folders its own
// folder. Any other program is installed: its game folder is ../share/veltrane from the program's
// folder, and the player's folder is $XDG_DATA_HOME/veltrane, where XDG_DATA_HOME counts only
// when it is an absolute path and otherwise stands for $HOME/.local/share.
// The environment is passed in (null for unset) so the rule can be checked on its own.
TGameFolders FindGameFolders(const std::string& programFolder, const char* xdgDataHome, const char* home);

// Makes the player's folder with the data/ and Images/Tutorial/ folders the game writes into,
// and checks it can be written. False, with the reason, when it cannot.
bool PreparePlayerFolder(const std::string& folder, std::string& error);

} // namespace veltrane
