// Replaces a file as a whole: the bytes go to a temporary file in the same folder, which is
// then renamed over the old one, so a crash while writing never loses the previous file.
#pragma once

#include <string>
#include <string_view>

namespace veltrane {

// Returns false (and leaves the old file as it was) when any step fails; error gets the reason.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

} // namespace veltrane
