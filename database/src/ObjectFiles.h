// The five object kinds and their files in an overlay folder.
#pragma once

#include "database/DbFiles.h"
#include "database/OverlayStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace db {

struct ObjectKind {
    const char* stem;            // "symbols", ...
    std::vector<int> widths;     // byte width of each field on disk, in order
    int recordBytes;             // the record on disk
    int entryBytes;              // the record and its 8-byte data reference
    int countIndex;              // its place in ObjectCounts
};

// Kinds 1 to 5; null for any other number.
const ObjectKind* KindOf(int kind);

// Converts between a record of 32-bit fields and its packed disk form.
void RecordToDisk(const ObjectKind& kind, const void* record, unsigned char* disk);
void RecordFromDisk(const ObjectKind& kind, const unsigned char* disk, void* record);

std::string ObjectFilePath(const std::string& overlayFolder, const ObjectKind& kind, const char* extension);

// Both ObjectCounts records of an overlay folder's objects.inf.
File OpenObjectCounts(const std::string& overlayFolder, ObjectCounts counts[2], const char* title);
bool WriteObjectCounts(File& file, const ObjectCounts counts[2], const char* title);
int16_t& CountOf(ObjectCounts& counts, const ObjectKind& kind);

} // namespace db
