// Overlays and their objects: creating, deleting and looking up overlays, rectangle and handle
// queries, and damaged or oversized records refused rather than trusted, against a fresh database
// in a temporary data root.
#include "DatabaseFixture.h"

#include <cstring>

namespace fs = std::filesystem;
using Boxes = std::vector<std::string>;

namespace {

class OverlayStore : public DatabaseTest {
protected:
    uint32_t create(const char* name, int shown = 1)
    {
        OverlayInfo overlay{};
        std::strcpy(overlay.name, name);
        overlay.shown = shown;
        return DBCreateOverlay(&overlay) ? overlay.handle : 0;
    }
    std::vector<uint32_t> liveHandles()
    {
        int user = 0;
        EXPECT_EQ(GetNoOfOverlays(&user), 1);
        std::vector<OverlayInfo> all(size_t(user) + 2);
        EXPECT_EQ(GetOverlays(all.data()), 1);
        std::vector<uint32_t> handles;
        for (const auto& o : all)
            handles.push_back(o.handle);
        return handles;
    }
    uint32_t addSymbol(uint32_t overlay, int32_t lon, int32_t lat)
    {
        SymbolInfo symbol{0, lon, lat, 1011, 11, 4};
        EXPECT_EQ(_DBAddSymbol(overlay, &symbol), 1);
        return symbol.handle;
    }
    std::vector<uint32_t> query(uint32_t overlay, int kind, const RECT* rect, uint16_t* counts = nullptr)
    {
        uint16_t local[5];
        uint16_t* c = counts ? counts : local;
        EXPECT_EQ(DBGetNoOfObjectsInDataRect(overlay, c, rect, "database"), 1);
        std::vector<uint32_t> handles(64);
        EXPECT_EQ(DBGetHandleTable(overlay, kind, handles.data(), 64, "database"), 1);
        static const int countIndex[] = {0, 0, 1, 2, 3, 4};
        handles.resize(c[countIndex[kind]]);
        return handles;
    }
};

TEST_F(OverlayStore, HandlesAfterCreationAndDeletion)
{
    EXPECT_EQ(create("Survey A"), 4u);
    EXPECT_EQ(create("Survey B"), 5u);
    ASSERT_EQ(DeleteOverlay(4), 1);
    EXPECT_FALSE(fs::exists(host("c:\\varnel\\database\\OVL00004")));
    // The largest live handle decides: 5 is live, so the next one is 6.
    EXPECT_EQ(create("Survey C"), 6u);
    ASSERT_EQ(DeleteOverlay(6), 1);
    ASSERT_EQ(DeleteOverlay(5), 1);
    EXPECT_EQ(create("Survey A"), 4u);
    EXPECT_EQ(liveHandles(), (std::vector<uint32_t>{1, 2, 3, 4}));

    uint32_t table[8] = {};
    ASSERT_EQ(DBGetOverlaysHandleTable(table), 1);
    EXPECT_EQ(table[0], 3u);
    EXPECT_EQ(table[1], 4u);

    // Six entries ever created, four live.
    auto bytes = TempDataRoot::readFile(host("c:\\varnel\\database\\overlays.inf"));
    ASSERT_EQ(bytes.size(), 8u + 7 * 61);
    int32_t header[2];
    std::memcpy(header, bytes.data(), sizeof header);
    EXPECT_EQ(header[0], 7);
    EXPECT_EQ(header[1], 4);
    EXPECT_STREQ(bytes.data() + 8 + 3 * 61, "DELETED");
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(OverlayStore, RefusesBadNamesAndHandles)
{
    EXPECT_EQ(create("Tracks"), 0u);
    EXPECT_EQ(create(""), 0u);
    EXPECT_EQ(DeleteOverlay(0), 0);
    EXPECT_EQ(DeleteOverlay(9), 0);
    EXPECT_EQ(DeleteOverlay(TRACK_OVERLAY), 0);
    OverlayInfo missing{};
    std::strcpy(missing.name, "nowhere");
    EXPECT_EQ(GetOverlayHandle(&missing), 0);
    char folder[13];
    EXPECT_EQ(_DBGetOvyDirName(0, folder, "database"), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"Create Overlay: Overlay already exists", "Create Overlay: Overlay name zero length",
                                 "DeleteOverlay: Overlay handle is null", "DeleteOverlay: Failed to find overlay handle",
                                 "DeleteOverlay: Permanent overlays cannot be deleted",
                                 "GetOverlayHandle: Failed to find overlay name",
                                 "_DBGetOvyDirName: Overlay handle is null"}));
    EXPECT_TRUE(fs::exists(trackFile("tracks.inf")));
}

TEST_F(OverlayStore, StatusNameAndHandleLookups)
{
    uint32_t handle = create("Wrecks", 0);
    OverlayInfo overlay{};
    overlay.handle = handle;
    overlay.shown = 1;
    overlay.current = 1;
    ASSERT_EQ(DBSetOverlayStatus(&overlay), 1);
    OverlayInfo byName{};
    std::strcpy(byName.name, "Wrecks");
    ASSERT_EQ(GetOverlayHandle(&byName), 1);
    EXPECT_EQ(byName.handle, handle);
    EXPECT_EQ(byName.shown, 1);
    EXPECT_EQ(byName.current, 1);
    OverlayInfo byHandle{};
    byHandle.handle = 2;
    ASSERT_EQ(GetOverlayName(&byHandle), 1);
    EXPECT_STREQ(byHandle.name, "Fouls");
    char folder[13];
    ASSERT_EQ(_DBGetOvyDirName(handle, folder, "database"), 1);
    EXPECT_STREQ(folder, "OVL00004");
}

TEST_F(OverlayStore, DeletedSymbolLeavesTheLiveCountAndTheQuery)
{
    uint32_t overlay = create("Marks");
    EXPECT_EQ(addSymbol(overlay, 10, 20), 1u);
    EXPECT_EQ(addSymbol(overlay, 30, 40), 2u);
    EXPECT_EQ(addSymbol(overlay, 50, 60), 3u);
    char name[20];
    SymbolInfo second{2, 0, 0, 0, 0, 0};
    ASSERT_EQ(DBGetObjectText(overlay, &second, name), 1);
    EXPECT_STREQ(name, "*New________Symbol*");
    ASSERT_EQ(_DBAddSymbolText(overlay, &second, "A rather long symbol name"), 1);
    ASSERT_EQ(DBGetObjectText(overlay, &second, name), 1);
    EXPECT_STREQ(name, "A rather long symbo");

    ASSERT_EQ(DBDeleteObject(overlay, OBJ_SYMBOL, 2), 1);
    EXPECT_EQ(DBDeleteObject(overlay, OBJ_SYMBOL, 2), 0);
    uint16_t counts[5];
    ASSERT_EQ(DBGetNoOfObjects(overlay, counts), 1);
    EXPECT_EQ(counts[0], 2);
    auto totals = readRecords<ObjectCounts>(host("c:\\varnel\\database\\OVL00004\\objects.inf"));
    EXPECT_EQ(+totals[0].symbols, 3);
    EXPECT_EQ(query(overlay, OBJ_SYMBOL, nullptr), (std::vector<uint32_t>{1, 3}));
    EXPECT_EQ(addSymbol(overlay, 70, 80), 4u);
    EXPECT_EQ(TempDataRoot::readFile(host("c:\\dellist.txt")),
              "overlay 4 object type 1 handle 2 deleted\noverlay 4 object type 1 handle 2 deleted\n");
    EXPECT_EQ(boxTexts(), (Boxes{"DBDeleteObject: Passed handle does not match file"}));

    GeoPoint position{};
    ASSERT_EQ(GetObject(overlay, OBJ_SYMBOL, 3, &position), 1);
    EXPECT_EQ(position.lon, 50);
    EXPECT_EQ(position.lat, 60);
}

TEST_F(OverlayStore, RectangleQueries)
{
    uint32_t overlay = create("Shapes");
    addSymbol(overlay, 100, 100);   // 1 inside
    addSymbol(overlay, 300, 100);   // 2 outside
    const RECT view{0, 200, 200, 0};
    struct Shape {
        RECT box;
        bool meets;
    };
    const Shape shapes[] = {
        {{150, 150, 250, 50}, true},   // a corner inside the view
        {{-50, 300, 300, -50}, true},  // the view inside it
        {{50, 300, 150, -50}, true},   // a cross: narrower and taller
        {{200, 250, 260, 200}, true},  // touching at a corner
        {{201, 150, 300, 50}, false},  // beside it
        {{0, -1, 200, -90}, false},    // below it
    };
    for (const Shape& s : shapes) {
        GeoPoint line[2] = {{s.box.left, s.box.bottom}, {s.box.right, s.box.top}};
        PolygonInfo polygon{0, s.box.left, s.box.top, s.box.right, s.box.bottom, 7, 2, 2, 0};
        ASSERT_EQ(_DBAddPolygon(overlay, &polygon, line), 1);
    }
    uint16_t counts[5];
    EXPECT_EQ(query(overlay, OBJ_POLYGON, &view, counts), (std::vector<uint32_t>{1, 2, 3, 4}));
    EXPECT_EQ(query(overlay, OBJ_SYMBOL, &view), (std::vector<uint32_t>{1}));
    EXPECT_EQ(counts[0], 1);
    EXPECT_EQ(counts[1], 4);
    EXPECT_EQ(query(overlay, OBJ_POLYGON, nullptr).size(), 6u);

    GeoPoint vertices[2];
    ASSERT_EQ(GetObject(overlay, OBJ_POLYGON, 3, vertices), 1);
    EXPECT_EQ(vertices[0].lon, 50);
    EXPECT_EQ(vertices[1].lat, 300);
    PolygonInfo read{};
    read.handle = 3;
    ASSERT_EQ(DBGetObjectInfo(overlay, OBJ_POLYGON, &read, "database"), 1);
    EXPECT_EQ(read.attr1, 7);
    EXPECT_EQ(read.count, 2);
    EXPECT_EQ(DBSetObjectInfo(overlay, OBJ_POLYGON, &read, "database"), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBSetObjectInfo: Setting object info not allowed"}));
}

TEST_F(OverlayStore, OnlyTheTrackOverlayHoldsTracks)
{
    // Every tracks.inf starts with the current track's entry; only the track overlay's is a track.
    uint32_t user = create("Survey");
    EXPECT_EQ(query(TRACK_OVERLAY, OBJ_TRACK, nullptr), (std::vector<uint32_t>{1}));
    for (uint32_t overlay : {FOULS_OVERLAY, uint32_t(3), user}) {
        uint16_t counts[5];
        EXPECT_TRUE(query(overlay, OBJ_TRACK, nullptr, counts).empty()) << "overlay " << overlay;
        EXPECT_EQ(counts[2], 0) << "overlay " << overlay;
    }
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(OverlayStore, TracksInARectangleInOnePass)
{
    // Entries 2 to 6 after the current track's: inside, outside, deleted, impossible, crossing.
    const RECT view{0, 200, 200, 0};
    const TrackInfoDisk entries[] = {
        {2, 50, 150, 150, 50, 10, 0, 0, 0, 0, 7},
        {3, 300, 150, 400, 50, 20, 0, 0, 0, 0, 7},
        {0, 50, 150, 150, 50, 30, 0, 0, 0, 0, 7},
        {123456, 50, 150, 150, 50, 40, 0, 0, 0, 0, 7},
        {6, -50, 100, 300, 90, 50, 1, 2, 3, 4, -5},
    };
    {
        std::ofstream out(trackFile("tracks.inf"), std::ios::binary | std::ios::app);
        for (const TrackInfoDisk& e : entries)
            out.write(reinterpret_cast<const char*>(&e), sizeof e).write("\0\0\0\0\0\0\0\0", 8);
    }
    std::vector<TrackInfo> tracks;
    ASSERT_TRUE(db::GetTracksInDataRect(&view, "database", tracks));
    EXPECT_EQ(boxTexts(), (Boxes{"GetTracksInDataRect: Invalid track handle 123456 found in "
                                 "C:\\varnel\\database\\OVL00001\\tracks.inf[4]"}));

    // The same tracks and records as the query by handles, which reads one entry a call.
    win::scripted::clear();
    std::vector<uint32_t> handles = query(TRACK_OVERLAY, OBJ_TRACK, &view);
    ASSERT_EQ(handles, (std::vector<uint32_t>{1, 2, 6}));
    ASSERT_EQ(tracks.size(), handles.size());
    for (size_t i = 0; i < handles.size(); ++i) {
        TrackInfo one{};
        one.handle = handles[i];
        ASSERT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &one, "database"), 1);
        EXPECT_EQ(std::memcmp(&tracks[i], &one, sizeof one), 0) << "track " << handles[i];
    }
    EXPECT_EQ(tracks[2].boxsignature, -5);

    ASSERT_TRUE(db::GetTracksInDataRect(nullptr, "database", tracks));
    EXPECT_EQ(tracks.size(), 4u);

    win::scripted::clear();
    fs::remove(trackFile("tracks.inf"));
    EXPECT_FALSE(db::GetTracksInDataRect(&view, "database", tracks));
    EXPECT_EQ(boxTexts(), (Boxes{"GetTracksInDataRect: Failed opening object info file"}));
}

TEST_F(OverlayStore, TextsAndTheActiveRoute)
{
    uint32_t overlay = create("Notes");
    TextInfo text{0, 5, 6, 5, 6, 0, 11};
    ASSERT_EQ(_DBAddText(overlay, &text, "Sandy patch"), 1);
    char bytes[12] = {};
    ASSERT_EQ(GetObject(overlay, OBJ_TEXT, 1, bytes), 1);
    EXPECT_STREQ(bytes, "Sandy patch");

    GeoPoint waypoints[3] = {{1, 2}, {3, 4}, {5, 6}};
    RouteInfo first{0, 1, 6, 5, 2, 9, 8, 3, 7, 6, 0};
    RouteInfo second{0, 1, 6, 5, 2, 0, 0, 3, 0, 0, 0};
    ASSERT_EQ(_DBAddRoute(overlay, &first, waypoints), 1);
    ASSERT_EQ(_DBAddRoute(overlay, &second, waypoints), 1);
    ASSERT_EQ(DBSetActiveRoute(overlay, 1, 0, 0), 1);
    ASSERT_EQ(DBSetActiveRoute(overlay, 2, overlay, 1), 1);
    RouteInfo r{};
    r.handle = 1;
    ASSERT_EQ(DBGetObjectInfo(overlay, OBJ_ROUTE, &r, "database"), 1);
    EXPECT_EQ(r.active, 0);
    EXPECT_EQ(r.attr4, 6);
    r.handle = 2;
    ASSERT_EQ(DBGetObjectInfo(overlay, OBJ_ROUTE, &r, "database"), 1);
    EXPECT_EQ(r.active, 1);
    EXPECT_EQ(DBSetActiveRoute(0, 2, 0, 0), 0);
    ASSERT_EQ(GetObject(overlay, OBJ_ROUTE, 2, waypoints), 1);
    EXPECT_EQ(waypoints[2].lat, 6);
}

TEST_F(OverlayStore, DataNeverOverrunsWhatTheRecordDeclares)
{
    uint32_t overlay = create("Lines");
    GeoPoint line[2] = {{1, 2}, {3, 4}};
    PolygonInfo polygon{0, 1, 4, 3, 2, 0, 2, 2, 0};
    ASSERT_EQ(_DBAddPolygon(overlay, &polygon, line), 1);
    TextInfo text{0, 5, 6, 5, 6, 0, 4};
    ASSERT_EQ(_DBAddText(overlay, &text, "Reef"), 1);
    // Damaged data references that claim far more than the records hold.
    fs::path folder = host("c:\\varnel\\database\\OVL00004");
    const int32_t claimed = 64;
    for (const auto& [name, at] : {std::pair{"polygons.inf", 28 + 4}, std::pair{"texts.inf", 24 + 4}}) {
        std::fstream(folder / name, std::ios::in | std::ios::out | std::ios::binary)
            .seekp(at)
            .write(reinterpret_cast<const char*>(&claimed), sizeof claimed);
        std::ofstream(folder / (std::string(name, std::strlen(name) - 4) + ".dat"), std::ios::binary | std::ios::app)
            << std::string(80, 'x');
    }
    GeoPoint vertices[3] = {{}, {}, {77, 77}};
    ASSERT_EQ(GetObject(overlay, OBJ_POLYGON, 1, vertices), 1);
    EXPECT_EQ(vertices[1].lat, 4);
    EXPECT_EQ(vertices[2].lon, 77);
    char bytes[6] = "-----";
    ASSERT_EQ(GetObject(overlay, OBJ_TEXT, 1, bytes), 1);
    EXPECT_STREQ(bytes, "Reef-");
}

TEST_F(OverlayStore, ObjectsTooLargeForTheirRecordAreRefusedNotWrapped)
{
    uint32_t overlay = create("Notes");
    std::string longText(40000, 'x');
    TextInfo text{0, 5, 6, 5, 6, 0, int32_t(longText.size())};
    EXPECT_EQ(_DBAddText(overlay, &text, longText.c_str()), 0);
    std::vector<GeoPoint> waypoints(40000);
    RouteInfo route{0, 1, 6, 5, 2, 0, 0, int32_t(waypoints.size()), 0, 0, 0};
    EXPECT_EQ(_DBAddRoute(overlay, &route, waypoints.data()), 0);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{"_DBAddText: Object too large for its record",
                                                    "_DBAddRoute: Object too large for its record"}));
    uint16_t counts[5];
    ASSERT_EQ(DBGetNoOfObjects(overlay, counts), 1);
    EXPECT_EQ(counts[3] + counts[4], 0);
}

TEST_F(OverlayStore, HandleTablesLongerThanTheBuffer)
{
    uint32_t overlay = create("Many");
    for (int i = 0; i < 15; ++i)
        addSymbol(overlay, i, i);
    uint16_t counts[5];
    ASSERT_EQ(DBGetNoOfObjectsInDataRect(overlay, counts, nullptr, "database"), 1);
    ASSERT_EQ(counts[0], 15);
    std::vector<uint32_t> handles(12, 0);
    EXPECT_EQ(DBGetHandleTable(overlay, OBJ_SYMBOL, handles.data(), 10, "database"), 1);
    EXPECT_EQ(handles[9], 10u);
    EXPECT_EQ(handles[10], 0u);
    EXPECT_EQ(boxTexts(), (Boxes{"DBGetHandleTable: Memory allocation Error"}));

    std::ofstream(host("c:\\varnel\\database\\OVL00004\\symbols.hnd"), std::ios::binary | std::ios::app) << "xy";
    EXPECT_EQ(DBGetHandleTable(overlay, OBJ_SYMBOL, handles.data(), 10, "database"), 0);
    EXPECT_EQ(boxTexts().back(), "DBGetHandleTable: Failed seek on object data file");
}

TEST_F(OverlayStore, DamagedFilesAreReportedNotTrusted)
{
    // A track entry with an impossible handle is reported and left out of the query.
    TrackInfoDisk bad{};
    bad.handle = 123456;
    std::ofstream(trackFile("tracks.inf"), std::ios::binary | std::ios::app)
        .write(reinterpret_cast<const char*>(&bad), sizeof bad)
        .write("\0\0\0\0\0\0\0\0", 8);
    auto counts = readRecords<ObjectCounts>(trackFile("objects.inf"));
    counts[0].tracks = counts[1].tracks = 5;  // more than the file holds
    std::ofstream(trackFile("objects.inf"), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(counts.data()), 20);
    uint16_t found[5];
    ASSERT_EQ(DBGetNoOfObjectsInDataRect(TRACK_OVERLAY, found, nullptr, "database"), 1);
    EXPECT_EQ(found[2], 1);
    EXPECT_EQ(boxTexts(), (Boxes{"DBGetNoOfObjectsInDataRect: Invalid track handle 123456 found in "
                                 "C:\\varnel\\database\\OVL00001\\tracks.inf[1]"}));

    // An entry past the end is neither read nor written.
    win::scripted::clear();
    TrackInfo far{};
    far.handle = 40;
    EXPECT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &far, "database"), 0);
    EXPECT_EQ(DBSetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &far, "database"), 0);
    EXPECT_EQ(fs::file_size(trackFile("tracks.inf")), 84u);
    EXPECT_EQ(boxTexts(), (Boxes{"DBGetObjectInfo: Failed reading object info file",
                                 "DBSetObjectInfo: Failed seek on object info file to 1638"}));

    // Killed between a track's entry and its count: the query still finds the track.
    win::scripted::clear();
    writePoints(trackFile("trk00001.dat"), 1);
    TrackInfo current = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&current), 1);
    ASSERT_EQ(current.handle, 3u);
    counts[0].tracks = counts[1].tracks = 2;
    std::ofstream(trackFile("objects.inf"), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(counts.data()), 20);
    ASSERT_EQ(DBGetNoOfObjectsInDataRect(TRACK_OVERLAY, found, nullptr, "database"), 1);
    EXPECT_EQ(found[2], 2);
    std::vector<uint32_t> handles(4);
    ASSERT_EQ(DBGetHandleTable(TRACK_OVERLAY, OBJ_TRACK, handles.data(), 4, "database"), 1);
    EXPECT_EQ(handles[1], 3u);

    // Killed before the header of a new overlay was rewritten: the entries decide, so a list
    // sized by the count holds every overlay.
    ASSERT_EQ(create("Late"), 4u);
    const int32_t stale[2] = {3, 3};
    std::fstream(host("c:\\varnel\\database\\overlays.inf"), std::ios::in | std::ios::out | std::ios::binary)
        .write(reinterpret_cast<const char*>(stale), sizeof stale);
    EXPECT_EQ(liveHandles(), (std::vector<uint32_t>{1, 2, 3, 4}));

    // overlays.inf shorter than its header.
    win::scripted::clear();
    fs::resize_file(host("c:\\varnel\\database\\overlays.inf"), 5);
    int user = 0;
    EXPECT_EQ(GetNoOfOverlays(&user), 0);
    EXPECT_EQ(create("Another"), 0u);
    EXPECT_EQ(boxTexts(), (Boxes{"GetNoOfOverlays: Failed reading overlays info file",
                                 "Create Overlay: Failed reading overlays info file"}));
}

} // namespace
