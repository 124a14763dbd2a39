#include "platform/Paths.h"

#include "platform/NoCase.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace veltrane {
namespace fs = std::filesystem;

namespace {

struct TFileRoots {
    fs::path Game, Player; // both empty: the current folder
};

TFileRoots& Roots() {
    static TFileRoots roots;
    return roots;
}

// The entry of folder whose name matches component ignoring case, or empty.
std::string FindNoCase(const fs::path& folder, const std::string& component) {
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (EqualNoCase(entry, component)) return entry;
    }
    return {};
}

bool EndsWithNoCase(const std::string& text, std::string_view tail) {
    return text.size() >= tail.size() &&
           EqualNoCase(std::string_view(text).substr(text.size() - tail.size()), tail);
}

// Resolves the slashed name below root, which is taken as it is.
std::string ResolveBelow(const fs::path& root, const std::string& slashed) {
    fs::path resolved = root;
    std::string component;
    bool lost = false; // once a component matches nothing, the rest is kept as given
    size_t start = 0;
    while (start <= slashed.size()) {
        const size_t end = std::min(slashed.find('/', start), slashed.size());
        component = slashed.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            if (resolved.empty() && end == 0) resolved = "/";
            continue;
        }
        if (!lost && component != "." && component != "..") {
            std::error_code ec;
            if (!fs::exists(resolved / component, ec)) {
                const std::string match = FindNoCase(resolved, component);
                if (match.empty())
                    lost = true;
                else
                    component = match;
            }
        }
        resolved /= component;
    }
    return resolved.empty() ? slashed : resolved.string();
}

} // namespace

std::string ResolvePath(const std::string& name) {
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const TFileRoots& roots = Roots();
    if (roots.Game.empty() || slashed.starts_with('/')) return ResolveBelow({}, slashed);
    return ResolveBelow(IsPlayerFile(slashed) ? roots.Player : roots.Game, slashed);
}

void SetFileRoots(const std::string& gameFolder, const std::string& playerFolder) {
    Roots() = {gameFolder, playerFolder};
    if (gameFolder.empty() || playerFolder.empty()) Roots() = {};
}

bool IsPlayerFile(const std::string& name) {
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.starts_with("./")) slashed.erase(0, 2);
    for (const char* file : {"debug.txt", "data/Save1.dat", "data/Save2.dat", "data/Hiscores.dat"})
        if (EqualNoCase(slashed, file)) return true;
    return EndsWithNoCase(slashed, ".bmp");
}

} // namespace veltrane
