// overlays.inf as read into memory, shared by the overlay operations.
#pragma once

#include "database/DbFiles.h"
#include "database/OverlayStore.h"

#include <vector>

namespace db {

struct OverlayTable {
    int32_t live = 0;
    std::vector<OverlayEntryDisk> entries;
    // The live entry with this handle.
    OverlayEntryDisk* find(uint32_t handle);
};

std::string OverlaysPath(const char* database);
// Opens overlays.inf and reads it; reports and yields no file on failure.
File OpenOverlayTable(const char* database, const char* mode, OverlayTable& table, const char* title);
bool ReadOverlayTable(FILE* f, OverlayTable& table, const char* title);

} // namespace db
