// Overlays (named layers of chart objects) and the objects they hold: symbols, polygons,
// tracks, texts and routes, each kind a file of fixed entries in the overlay's folder.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <cstdint>
#include <string>
#include <vector>

enum ObjectKindNumber { OBJ_SYMBOL = 1, OBJ_POLYGON = 2, OBJ_TRACK = 3, OBJ_TEXT = 4, OBJ_ROUTE = 5 };

constexpr uint32_t TRACK_OVERLAY = 1;   // "Tracks"
constexpr uint32_t FOULS_OVERLAY = 2;   // "Fouls"
constexpr int OBJECT_NAME_BYTES = 20;   // a symbol's slot in symbols.txt

struct OverlayInfo {
    char name[40];
    uint32_t handle;
    int32_t shown;
    int32_t current;
};
static_assert(sizeof(OverlayInfo) == 52);

// In-memory object records: every field 32 bits; the 16-bit ones are truncated on disk.
struct SymbolInfo {
    uint32_t handle;
    int32_t lon;
    int32_t lat;
    int32_t symbol;
    int32_t colour;
    int32_t textlength;
};

struct PolygonInfo {
    uint32_t handle;
    int32_t leftlon, toplat, rightlon, bottomlat;
    int32_t attr1, attr2, count, attr3;
};

struct TextInfo {
    uint32_t handle;
    int32_t leftlon, toplat, rightlon, bottomlat;
    int32_t attr1, length;
};

struct RouteInfo {
    uint32_t handle;
    int32_t leftlon, toplat, rightlon, bottomlat;
    int32_t attr1, attr2, count, attr3, attr4, active;
};

// A vertex or waypoint in the ".dat" files.
struct GeoPoint {
    int32_t lon;
    int32_t lat;
};

#pragma pack(push, 1)
struct OverlayEntryDisk {
    char name[40];
    uint32_t handle;
    int16_t shown;
    int16_t current;
    char folder[13];
};
#pragma pack(pop)
static_assert(sizeof(OverlayEntryDisk) == 61);

extern "C" {

// Overlays of the active database.
int DBCreateOverlay(OverlayInfo* overlay);
int DeleteOverlay(uint32_t handle);
int DBSetOverlayStatus(OverlayInfo* overlay);
int GetNoOfOverlays(int* count);
int GetOverlayName(OverlayInfo* overlay);
int GetOverlayHandle(OverlayInfo* overlay);
int GetOverlays(OverlayInfo* overlays);
int DBGetOverlaysHandleTable(uint32_t* handles);
// `database` as for the track store: a folder name or a full folder path. folder: 13 bytes.
int _DBGetOvyDirName(uint32_t handle, char* folder, const char* database);

// Objects; records are the structures above (TrackInfo for tracks).
int _DBAddSymbol(uint32_t overlay, SymbolInfo* symbol);
int _DBAddPolygon(uint32_t overlay, PolygonInfo* polygon, const GeoPoint* vertices);
int _DBAddText(uint32_t overlay, TextInfo* text, const char* bytes);
int _DBAddRoute(uint32_t overlay, RouteInfo* route, const GeoPoint* waypoints);
int DBAddObject(uint32_t overlay, int kind, void* record, const void* data);
int _DBAddSymbolText(uint32_t overlay, SymbolInfo* symbol, const char* name);
int DBGetObjectText(uint32_t overlay, SymbolInfo* symbol, char* name);
int DBGetObjectInfo(uint32_t overlay, int kind, void* record, const char* database);
int DBSetObjectInfo(uint32_t overlay, int kind, void* record, const char* database);
int GetObject(uint32_t overlay, int kind, uint32_t handle, void* data);
int DBDeleteObject(uint32_t overlay, int kind, uint32_t handle);
int DBSetActiveRoute(uint32_t overlay, uint32_t handle, uint32_t oldOverlay, uint32_t oldHandle);
int DBGetNoOfObjects(uint32_t overlay, uint16_t* counts);
int DBGetNoOfObjectsInDataRect(uint32_t overlay, uint16_t* counts, const RECT* rect,
                               const char* database);
int DBGetHandleTable(uint32_t overlay, int kind, uint32_t* handles, uint32_t capacity,
                     const char* database);

} // extern "C"

namespace db {
// Whether a live overlay has this name; silent.
bool OverlayNameTaken(const char* database, const char* name);
// Creates an overlay in the given database (folder name or path).
int CreateOverlayIn(const char* database, OverlayInfo* overlay);
// The folder of an overlay: "%c:\varnel\%s\OVL0000n".
bool OverlayFolder(uint32_t overlay, const char* database, std::string& folder);
// Every live track of a database meeting `rect` (west, north, east, south; all of them without
// one), as DBGetNoOfObjectsInDataRect finds them, read in one pass over tracks.inf and without
// touching the handle files. False when it cannot be read (it said why); std::bad_alloc when the
// entries cannot be held.
bool GetTracksInDataRect(const RECT* rect, const char* database, std::vector<TrackInfo>& tracks);
} // namespace db
