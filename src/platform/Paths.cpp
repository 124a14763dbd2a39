#include "platform/Paths.h"

#include "platform/NoCase.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace veltrane {
namespace fs = std::filesystem;

namespace {

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

} // namespace

std::string ResolvePath(const std::string& name) {
    std::string slashed = name;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');

    fs::path resolved;
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

} // namespace veltrane
