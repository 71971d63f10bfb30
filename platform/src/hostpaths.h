// Host-side lookups shared by the platform's own sources.
#pragma once

#include "platform/files.h"

#include <filesystem>
#include <optional>
#include <string>

namespace win::detail {
// The existing entry of `folder` whose name equals `name` ignoring case; an exact match wins.
std::optional<std::string> findEntryIgnoringCase(const std::filesystem::path& folder,
                                                 const std::string& name);
// A read-only descriptor of an existing regular file, or -1 with errno (EINVAL: not a regular
// file); never waits, whatever is in its place.
int openRegularFile(const std::filesystem::path& path);
// win::writeWholeFile on a host path.
WholeFile writeWholeFile(const std::filesystem::path& path, const void* data, size_t bytes);
} // namespace win::detail
