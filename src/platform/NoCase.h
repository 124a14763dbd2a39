// ASCII comparison that ignores case, as the game's file names and stored value names are matched.
#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace veltrane {

inline bool EqualNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace veltrane
