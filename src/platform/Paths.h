// Turns the game's Windows-style file names ("Images\Skin1\tex0.tga") into paths that exist here.
#pragma once

#include <string>

namespace veltrane {

// Backslashes become slashes; each component that does not exist under its exact name is
// matched case-insensitively against its folder. A path that matches nothing comes back with
// slashes only, so callers report the name they asked for.
//
// Relative names are taken from the current folder until SetFileRoots names two folders: then
// the player's own files (IsPlayerFile) are taken from the player folder and every other name
// from the read-only game folder.
std::string ResolvePath(const std::string& name);

// The installed game's two folders; empty arguments return to the current folder for both.
void SetFileRoots(const std::string& gameFolder, const std::string& playerFolder);

// The files the game writes, named as the game names them: the saved games and high scores in
// data/ ("Save1.dat", "Save2.dat", "Hiscores.dat"), the trace "debug.txt" and pictures converted
// to .bmp (the tutorial pages).
bool IsPlayerFile(const std::string& name);

} // namespace veltrane
