#include "TrackHandles.h"

#include "database/OverlayStore.h"
#include "platform/messages.h"

#include <new>

std::optional<std::vector<uint32_t>> TrackHandlesMeeting(const char* database, const RECT& geo, const char* caption)
{
    uint16_t counts[5];
    if (!DBGetNoOfObjectsInDataRect(TRACK_OVERLAY, counts, &geo, database))
        return std::nullopt;
    const uint16_t tracks = counts[OBJ_TRACK - 1];
    std::vector<uint32_t> handles;
    try {
        handles.resize(tracks);
    } catch (const std::bad_alloc&) {
        TRACE_HOOK("Malloc failed");
        MessageBoxA(nullptr, "Memory Allocation Error", caption, MB_OK | MB_ICONSTOP);
        return std::nullopt;
    }
    if (tracks && !DBGetHandleTable(TRACK_OVERLAY, OBJ_TRACK, handles.data(), tracks, database))
        return std::nullopt;
    return handles;
}
