// Names and layouts of the track overlay's files, shared by the database that writes them, the
// replay file maker and the replay module that read them.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>
#include <cstdio>
#include <string>

// The track overlay folder of every database, and the files it holds besides the tracks.
inline constexpr const char* TRACK_OVERLAY_FOLDER = "ovl00001";
inline constexpr const char* TRACKS_INF = "tracks.inf";
inline constexpr const char* OBJECTS_INF = "objects.inf";
inline constexpr const char* BEAM_TABLE_FILE = "Swath.dat";
inline constexpr const char* TRACK_STATUS_FILE = "trkstat.inf";

// The replay streams replaymake writes and the replay module reads.
inline constexpr const char* REPLAY_NAV_FILE = "c:\\varnel\\testdata\\nav.txt";
inline constexpr const char* REPLAY_SOUNDER_FILE = "c:\\varnel\\testdata\\sedrix.txt";

// Handle 1 is the current track's placeholder entry; stored tracks start at 2.
inline constexpr uint32_t CURRENT_TRACK_HANDLE = 1;
// Handles past this would wrap the 16-bit track counts of objects.inf.
inline constexpr uint32_t LAST_TRACK_HANDLE = 65535;

#pragma pack(push, 1)
// One tracks.inf entry: entry k describes handle k + 1. Tracks leave the position record zero.
struct TracksInfEntryDisk {
    TrackInfoDisk info;
    char position[8];
};
#pragma pack(pop)
static_assert(sizeof(TracksInfEntryDisk) == 42);
inline constexpr long TRACKS_INF_ENTRY_BYTES = sizeof(TracksInfEntryDisk);

// "trk%05d.dat" or "trk%05d.tim" of a stored track.
inline std::string StoredTrackFileName(uint32_t handle, const char* extension)
{
    char name[32];
    std::snprintf(name, sizeof name, "trk%05u.%s", handle, extension);
    return name;
}

// The beam table holds the transducer of each handle; values 4 to 7 are slots of negative
// transducers as older tables wrote them.
inline int DecodeBeamTableValue(int16_t value) { return value >= 4 ? value - 8 : value; }
