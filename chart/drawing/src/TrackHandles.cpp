#include "TrackHandles.h"

#include "database/OverlayStore.h"
#include "platform/messages.h"

#include <new>

std::optional<std::vector<TrackInfo>> StoredTracksMeeting(const char* database, const RECT& geo, const char* caption)
{
    std::vector<TrackInfo> tracks;
    try {
        if (!db::GetTracksInDataRect(&geo, database, tracks))
            return std::nullopt;
    } catch (const std::bad_alloc&) {
        TRACE_HOOK("Malloc failed");
        MessageBoxA(nullptr, "Memory Allocation Error", caption, MB_OK | MB_ICONSTOP);
        return std::nullopt;
    }
    return tracks;
}
