// Host-side lookups shared by the platform's own sources.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace win::detail {
// The existing entry of `folder` whose name equals `name` ignoring case; an exact match wins.
std::optional<std::string> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                 const std::string& name);
} // namespace win::detail
