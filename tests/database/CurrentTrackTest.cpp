// The current track: appending points and times, storing its slots as tracks of the active
// database or another, and what start-up mends after a kill or a full disk, against a fresh
// database in a temporary data root.
#include "DatabaseFixture.h"

#include "ScopedGuards.h"
#include "database/StorePlan.h"
#include "platform/profile.h"

#include <cstring>
#include <ctime>
#include <tuple>

namespace fs = std::filesystem;
using Boxes = std::vector<std::string>;

namespace {

class CurrentTrack : public DatabaseTest {
protected:
    // What the acquisition module does for one recorded reading.
    static void record(int slot, int i)
    {
        TrackInfo& info = globalcurrenttrackinfos[slot];
        info.slot = slot;
        ASSERT_EQ(DBSaveCurrentTrackInfo(&info), 1);
        TrackPoint p = point(i);
        CurrentTrackBlock block{&p, 1, 0, uint32_t(slot)};
        ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
        uint32_t time = 1700000000u + uint32_t(i);
        TimeBlock times{&time, 1, uint32_t(slot)};
        ASSERT_EQ(DBAddTimesToCurrentTrack(&times), 1);
    }
    static void setSaving(int saving)
    {
        globaltrackstatus.field[TS_SAVING] = saving;
        ASSERT_EQ(DBSaveTrackStatus(&globaltrackstatus), 1);
    }
#pragma pack(push, 1)
    struct Entry {
        TrackInfoDisk info;
        char position[8];
    };
#pragma pack(pop)
    static std::vector<TrackInfoDisk> entries()
    {
        std::vector<TrackInfoDisk> list;
        for (const Entry& e : readRecords<Entry>(trackFile("tracks.inf")))
            list.push_back(e.info);
        return list;
    }
};

TEST_F(CurrentTrack, AppendsReturnTheNewSizeAndRepairATornTail)
{
    TrackPoint points[2] = {point(1), point(2)};
    CurrentTrackBlock block{points, 2, 0, 5};
    ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    EXPECT_EQ(block.offset, 44);
    // Half a point from a run that died mid-write is cut off before the next append.
    std::ofstream(trackFile("t9700001.dat"), std::ios::binary | std::ios::app).write("partial", 7);
    ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    EXPECT_EQ(block.offset, 88);
    auto stored = readRecords<TrackPoint>(trackFile("t9700001.dat"));
    ASSERT_EQ(stored.size(), 4u);
    EXPECT_EQ(+stored[2].depth, 1.f);

    block.slot = 8;
    EXPECT_EQ(DBAddPointsToCurrentTrack(&block), 0);
    fs::remove_all(host("c:\\varnel\\database\\ovl00001"));
    block.slot = 0;
    EXPECT_EQ(DBAddPointsToCurrentTrack(&block), 0);
    uint32_t time = 5;
    TimeBlock times{&time, 1, 0};
    EXPECT_EQ(DBAddTimesToCurrentTrack(&times), 0);
    TrackInfo info = globalcurrenttrackinfos[0];
    EXPECT_EQ(DBSaveCurrentTrackInfo(&info), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBAddPointsToCurrentTrack: Invalid beam slot 8",
                                 "DBAddPointsToCurrentTrack: Failed opening current track file",
                                 "DBAddTimesToCurrentTrack: Failed opening current track time file",
                                 "DBSaveCurrentTrackInfo: Failed opening current track info file"}));
}

TEST_F(CurrentTrack, AFullDiskLosesNothingAlreadyRecorded)
{
    for (int i = 0; i < 3; ++i)
        record(0, i);
    // The disk fills up part-way through the next point.
    TrackPoint p = point(3);
    CurrentTrackBlock block{&p, 1, 0, 0};
    int appended = [&] {
        ScopedFileSizeLimit full(3 * 22 + 10);
        return DBAddPointsToCurrentTrack(&block);
    }();
    EXPECT_EQ(appended, 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBAddPointsToCurrentTrack: Failed writing to current track file"}));
    auto points = readRecords<TrackPoint>(trackFile("trk00001.dat"));
    ASSERT_EQ(fs::file_size(trackFile("trk00001.dat")), 66u);
    EXPECT_EQ(+points[2].depth, 2.f);

    // With room again the next reading goes on where the last whole point ended.
    record(0, 4);
    EXPECT_EQ(readRecords<TrackPoint>(trackFile("trk00001.dat")).size(), 4u);
    EXPECT_EQ(readRecords<uint32_t>(trackFile("trk00001.tim")),
              (std::vector<uint32_t>{1700000000u, 1700000001u, 1700000002u, 1700000004u}));

    // A store whose track entry does not fit is finished by the next store, before its own track.
    win::scripted::clear();
    TrackInfo info = globalcurrenttrackinfos[0];
    int stored = [&] {
        ScopedFileSizeLimit full(50);
        return DBSaveCurrentTrack(&info);
    }();
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBSaveCurrentTrack: Failed writing to object info file"}));
    record(0, 5);
    info = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&info), 1);
    EXPECT_EQ(info.handle, 3u);
    auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(+list[1].handle, 2u);
    EXPECT_EQ(+list[2].handle, 3u);
    EXPECT_EQ(readRecords<TrackPoint>(trackFile("trk00002.dat")).size(), 4u);
    EXPECT_EQ(readRecords<uint32_t>(trackFile("trk00003.tim")), (std::vector<uint32_t>{1700000005u}));
    EXPECT_EQ(+readRecords<ObjectCounts>(trackFile("objects.inf"))[1].tracks, 3);
}

TEST_F(CurrentTrack, TimesStayWithTheirPoints)
{
    record(6, 0);
    TrackPoint lonely = point(1);  // its time was never appended
    CurrentTrackBlock block{&lonely, 1, 0, 6};
    ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    record(6, 2);
    // A time whose point did not make it is not appended either.
    uint32_t orphan = 99;
    TimeBlock times{&orphan, 1, 6};
    ASSERT_EQ(DBAddTimesToCurrentTrack(&times), 1);
    EXPECT_EQ(readRecords<uint32_t>(trackFile("t9800001.tim")),
              (std::vector<uint32_t>{1700000000u, 1700000000u, 1700000002u}));
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(CurrentTrack, StoreTurnsEachSlotIntoATrack)
{
    TrackInfoDisk deleted{};
    for (int i = 0; i < 2; ++i)  // tracks.inf of 3 entries, two of them deleted tracks
        std::ofstream(trackFile("tracks.inf"), std::ios::binary | std::ios::app)
            .write(reinterpret_cast<const char*>(&deleted), sizeof deleted)
            .write("\0\0\0\0\0\0\0\0", 8);
    ObjectCounts counted[2] = {{0, 0, 3, 0, 0}, {0, 0, 1, 0, 0}};
    std::ofstream(trackFile("objects.inf"), std::ios::binary).write(reinterpret_cast<const char*>(counted), sizeof counted);
    for (int i = 0; i < 4; ++i)
        record(0, i);
    record(5, 10);
    std::vector<uint32_t> reanalysed;
    static std::vector<uint32_t>* seen;
    seen = &reanalysed;
    SetStoredTrackReanalysis([](TrackInfo* track, const char*) {
        seen->push_back(track->handle);
        return 0;
    });

    globalpasttrackinfo = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&globalpasttrackinfo), 1);
    SetStoredTrackReanalysis(nullptr);
    EXPECT_EQ(globalpasttrackinfo.handle, 4u);
    EXPECT_EQ(reanalysed, (std::vector<uint32_t>{4, 5}));
    EXPECT_EQ(readRecords<TrackPoint>(trackFile("trk00004.dat")).size(), 4u);
    EXPECT_EQ(readRecords<uint32_t>(trackFile("trk00005.tim")), (std::vector<uint32_t>{1700000010u}));
    auto beams = readRecords<int16_t>(trackFile("Swath.dat"));
    ASSERT_EQ(beams.size(), 6u);
    EXPECT_EQ(beams[4], 0);
    EXPECT_EQ(beams[5], -3);
    auto counts = readRecords<ObjectCounts>(trackFile("objects.inf"));
    EXPECT_EQ(+counts[0].tracks, 5);
    EXPECT_EQ(+counts[1].tracks, 3);
    auto list = entries();
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(+list[3].handle, 4u);
    EXPECT_EQ(+list[4].handle, 5u);
    for (const char* name : {"trk00001.dat", "trk00001.tim", "t9700001.dat", "t9700001.tim"}) {
        ASSERT_TRUE(fs::exists(trackFile(name))) << name;
        EXPECT_EQ(fs::file_size(trackFile(name)), 0u) << name;
    }
    int transducer = 0;
    EXPECT_EQ(DBGetTrackBeam(5, &transducer), 0);
    EXPECT_EQ(transducer, -3);

    TrackInfo wrong = globalcurrenttrackinfos[0];
    wrong.handle = 2;
    EXPECT_EQ(DBSaveCurrentTrack(&wrong), 0);
    EXPECT_EQ(entries().size(), 5u);
    EXPECT_EQ(boxTexts(), (Boxes{"DBSaveCurrentTrack: Wrong handle for current track"}));
}

TEST_F(CurrentTrack, StoreTakesOnlySlotsThatRecordedAndNothingWhenNoneDid)
{
    // Saving switched on and off again before any reading: no track, no handle.
    TrackInfo nothing = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&nothing), 1);
    EXPECT_EQ(nothing.handle, 0u);
    EXPECT_EQ(entries().size(), 1u);

    record(0, 1);
    TrackInfo first = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&first), 1);
    record(3, 2);
    TrackInfo second = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&second), 1);
    // The slots left empty by the first store are not tracks of the second.
    EXPECT_EQ(second.handle, 3u);
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_EQ(readRecords<int16_t>(trackFile("Swath.dat")), (std::vector<int16_t>{0, 0, 0, 3}));
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(boxTexts(), Boxes{});
}

TEST_F(CurrentTrack, StoreThatCannotWriteTheBeamTableFailsAndIsFinishedLater)
{
    record(5, 1);
    fs::remove(trackFile("Swath.dat"));
    fs::create_directory(trackFile("Swath.dat"));
    TrackInfo info = globalcurrenttrackinfos[0];
    EXPECT_EQ(DBSaveCurrentTrack(&info), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBSaveCurrentTrack: Failed opening beam table"}));

    fs::remove(trackFile("Swath.dat"));
    win::scripted::clear();
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(boxTexts(), Boxes{});
    ASSERT_EQ(entries().size(), 2u);
    EXPECT_EQ(+entries()[1].points, 1u);
    int transducer = 0;
    EXPECT_EQ(DBGetTrackBeam(2, &transducer), 0);
    EXPECT_EQ(transducer, -3);
}

TEST_F(CurrentTrack, AFullDatabaseRefusesTheStoreAndKeepsTheRecording)
{
    // 65,535 entries: every handle a 16-bit count can hold is taken.
    fs::resize_file(trackFile("tracks.inf"), 65535 * 42);
    record(1, 1);
    TrackInfo info = globalcurrenttrackinfos[0];
    EXPECT_EQ(DBSaveCurrentTrack(&info), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"DBSaveCurrentTrack: The database is full: it cannot take more than 65534 tracks. "
                                 "The recording is kept; store it into another database."}));
    EXPECT_EQ(fs::file_size(trackFile("tracks.inf")), 65535u * 42);
    EXPECT_EQ(fs::file_size(trackFile("t0100001.dat")), 22u);
}

TEST_F(CurrentTrack, StartUpMendsWhatAKillLeftHalfDone)
{
    // The status file of a new database was never written.
    fs::remove(trackFile("trkstat.inf"));
    // A point whose time never reached its file, with no time before it.
    TrackPoint p = point(1);
    CurrentTrackBlock block{&p, 1, 0, 0};
    ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    uint32_t before = uint32_t(std::time(nullptr));

    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(boxTexts(), Boxes{});
    auto status = readRecords<TrackStatusDisk>(trackFile("trkstat.inf"));
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(+status[0].low[TS_CURRENT_PEN_WIDTH], DefaultTrackStatus().field[TS_CURRENT_PEN_WIDTH]);
    EXPECT_EQ(globaltrackstatus.field[TS_SAVE_RATE], 1);
    auto times = readRecords<uint32_t>(trackFile("trk00002.tim"));
    ASSERT_EQ(times.size(), 1u);
    EXPECT_GE(times[0] + 5, before);
}

TEST_F(CurrentTrack, StoreIntoAnotherDatabaseKeepsItWhole)
{
    fs::copy(host("c:\\varnel\\database"), home.driveC() / "varnel" / "Other", fs::copy_options::recursive);
    record(7, 1);
    TrackInfo own = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrackTo("c:\\varnel\\other", &own), 1);
    EXPECT_EQ(own.handle, 2u);
    fs::path other = home.driveC() / "varnel" / "Other" / "OVL00001";
    EXPECT_EQ(readRecords<TrackPoint>(other / "trk00002.dat").size(), 1u);
    EXPECT_EQ(readRecords<int16_t>(other / "Swath.dat"), (std::vector<int16_t>{0, 0, -1}));
    EXPECT_EQ(readRecords<TrackInfoDisk>(other / "tracks.inf").size(), 2u);
    // The active database gained nothing but empty current files.
    EXPECT_EQ(entries().size(), 1u);
    EXPECT_EQ(fs::file_size(trackFile("Swath.dat")), 0u);
    EXPECT_EQ(fs::file_size(trackFile("t9900001.dat")), 0u);
}

TEST_F(CurrentTrack, StoreReplacesATornTrackEntry)
{
    std::ofstream(trackFile("tracks.inf"), std::ios::binary | std::ios::app).write("torn entry", 10);
    record(1, 1);
    TrackInfo info = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&info), 1);
    EXPECT_EQ(info.handle, 2u);
    EXPECT_EQ(fs::file_size(trackFile("tracks.inf")), 84u);
    EXPECT_EQ(+entries()[1].handle, 2u);
}

TEST_F(CurrentTrack, SaveRateComesFromTheProfile)
{
    TrackStatusDisk disk = TrackStatusToDisk(DefaultTrackStatus());
    disk.low[TS_SAVE_RATE] = 7;
    std::ofstream(trackFile("trkstat.inf"), std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(&disk), sizeof disk);
    WritePrivateProfileStringA("Replay", "Save Rate", "2", "VARNEL.INI");
    TrackStatus status{};
    ASSERT_EQ(DBLoadTrackStatus(&status), 1);
    EXPECT_EQ(status.field[TS_SAVE_RATE], 2);
    status.field[TS_SAVE_RATE] = 3;
    ASSERT_EQ(DBSaveTrackStatus(&status), 1);
    EXPECT_EQ(+readRecords<TrackStatusDisk>(trackFile("trkstat.inf"))[0].low[TS_SAVE_RATE], 7);
    EXPECT_EQ(GetPrivateProfileIntA("Replay", "Save Rate", 0, "VARNEL.INI"), 3u);

    // A missing key keeps 1 and seeds the profile.
    WritePrivateProfileStringA("Replay", "Save Rate", nullptr, "VARNEL.INI");
    ASSERT_EQ(DBLoadTrackStatus(&status), 1);
    EXPECT_EQ(status.field[TS_SAVE_RATE], 1);
    EXPECT_EQ(GetPrivateProfileIntA("Replay", "Save Rate", 0, "VARNEL.INI"), 1u);
}

TEST_F(CurrentTrack, StatusFileOfTheWrongSize)
{
    fs::resize_file(trackFile("trkstat.inf"), 44);
    globaltrackstatus.field[TS_CURRENT_COLOUR] = 9;
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    std::string path = "C:\\varnel\\database\\ovl00001\\trkstat.inf";
    EXPECT_EQ(boxTexts(), (Boxes{"Varnel System Manager: File " + path + " is the wrong size\n",
                                 "Varnel System Manager: You appear to have a stereo database\n"}));
    for (int field = 0; field < TS_FIELDS; ++field)
        EXPECT_EQ(globaltrackstatus.field[field], 0) << field;
    EXPECT_EQ(fs::file_size(trackFile("trkstat.inf")), 44u);

    win::scripted::clear();
    fs::resize_file(trackFile("trkstat.inf"), 0);
    TrackStatus status{};
    EXPECT_EQ(DBLoadTrackStatus(&status), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"Varnel System Manager: File " + path + " is the wrong size\n"}));
}

TEST_F(CurrentTrack, StartUpStoresATrackInterruptedWhileSaving)
{
    setSaving(1);
    // The records say nothing useful: each stored track is measured from its own points.
    SetEmptyRect(globalcurrenttrackinfos[0]);
    for (int i = 0; i < 3; ++i)
        record(0, i);
    record(2, 7);

    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(globaltrackstatus.field[TS_SAVING], 0);
    EXPECT_EQ(globaltrackstatus.field[TS_PAST_HANDLE], 2);
    EXPECT_EQ(globalpasttrackinfo.handle, 2u);
    EXPECT_EQ(globalpasttrackinfo.leftlon, 9999998);
    auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    auto extent = [](const TrackInfoDisk& e) { return std::tuple{+e.leftlon, +e.toplat, +e.rightlon, +e.bottomlat, +e.points}; };
    EXPECT_EQ(extent(list[1]), std::tuple(9999998, 500000002, 10000000, 500000000, 3u));
    EXPECT_EQ(extent(list[2]), std::tuple(9999993, 500000007, 9999993, 500000007, 1u));
    EXPECT_EQ(readRecords<TrackPoint>(trackFile("trk00002.dat")).size(), 3u);
    EXPECT_EQ(readRecords<TrackPoint>(trackFile("trk00003.dat")).size(), 1u);
    auto status = readRecords<TrackStatusDisk>(trackFile("trkstat.inf"))[0];
    EXPECT_EQ(+status.low[TS_SAVING], 0);
    EXPECT_EQ(+status.pastHandle, 2u);

    // The next start-up finds nothing to recover and reads the past track back.
    globalpasttrackinfo = TrackInfo{};
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_EQ(globalpasttrackinfo.handle, 2u);
    EXPECT_EQ(globalpasttrackinfo.leftlon, 9999998);
}

TEST_F(CurrentTrack, StartUpAlignsTimesWithPoints)
{
    setSaving(1);
    for (int i = 0; i < 3; ++i)
        record(3, i);
    // Killed between the point and its time, and half-way through the next point.
    TrackPoint p = point(3);
    CurrentTrackBlock block{&p, 1, 0, 3};
    ASSERT_EQ(DBAddPointsToCurrentTrack(&block), 1);
    std::ofstream(trackFile("t0300001.dat"), std::ios::binary | std::ios::app).write("half", 4);
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(readRecords<TrackPoint>(trackFile("trk00002.dat")).size(), 4u);
    EXPECT_EQ(fs::file_size(trackFile("trk00002.dat")), 88u);
    EXPECT_EQ(readRecords<uint32_t>(trackFile("trk00002.tim")),
              (std::vector<uint32_t>{1700000000u, 1700000001u, 1700000002u, 1700000002u}));
}

TEST_F(CurrentTrack, StartUpFinishesAStoreIntoAnotherDatabaseThatWasCutShort)
{
    fs::copy(host("c:\\varnel\\database"), home.driveC() / "varnel" / "Other", fs::copy_options::recursive);
    fs::path other = home.driveC() / "varnel" / "Other" / "OVL00001";
    setSaving(1);
    record(0, 1);
    record(0, 2);
    record(6, 3);
    // Killed after slot 0's times had moved, before its points did.
    ASSERT_TRUE(WriteStorePlan({"c:\\varnel\\other", globalcurrenttrackinfos[0], {{0, 2}, {6, 3}}}));
    fs::rename(trackFile("trk00001.tim"), other / "trk00002.tim");

    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(boxTexts(), Boxes{});
    EXPECT_EQ(readRecords<TrackPoint>(other / "trk00002.dat").size(), 2u);
    EXPECT_EQ(readRecords<uint32_t>(other / "trk00002.tim"), (std::vector<uint32_t>{1700000001u, 1700000002u}));
    EXPECT_EQ(readRecords<uint32_t>(other / "trk00003.tim"), (std::vector<uint32_t>{1700000003u}));
    EXPECT_EQ(readRecords<int16_t>(other / "Swath.dat"), (std::vector<int16_t>{0, 0, 0, -2}));
    auto counts = readRecords<ObjectCounts>(other / "objects.inf");
    EXPECT_EQ(+counts[0].tracks, 3);
    EXPECT_EQ(+counts[1].tracks, 3);
    // Nothing of it stayed behind in the active database.
    EXPECT_EQ(entries().size(), 1u);
    for (const char* name : {"trk00001.dat", "trk00001.tim", "t9800001.dat", "t9800001.tim"})
        EXPECT_EQ(fs::file_size(trackFile(name)), 0u) << name;

    // The next recording's points carry their own times.
    record(0, 9);
    TrackInfo next = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&next), 1);
    EXPECT_EQ(next.handle, 2u);
    EXPECT_EQ(readRecords<uint32_t>(trackFile("trk00002.tim")), (std::vector<uint32_t>{1700000009u}));
}

TEST_F(CurrentTrack, StartUpNeverOverwritesTracksOfALostOverlayTable)
{
    record(0, 1);
    TrackInfo info = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&info), 1);
    fs::remove(host("c:\\varnel\\database\\overlays.inf"));
    EXPECT_EQ(DBInitialiseDatabase('C'), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"Create Overlay: Failed creating overlay directory"}));
    EXPECT_EQ(entries().size(), 2u);
    EXPECT_EQ(fs::file_size(trackFile("trk00002.dat")), 22u);
}

TEST_F(CurrentTrack, StartUpFinishesACreationThatWasCutShort)
{
    // Only "Tracks" had reached the overlay table when the disk filled up or the run died.
    fs::resize_file(host("c:\\varnel\\database\\overlays.inf"), 8 + 61);
    fs::remove(trackFile("trkstat.inf"));
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_TRUE(win::scripted::boxes().empty());
    int user = 0;
    ASSERT_EQ(GetNoOfOverlays(&user), 1);
    EXPECT_EQ(user, 1);
    EXPECT_EQ(fs::file_size(host("c:\\varnel\\database\\overlays.inf")), 8u + 3 * 61);
    EXPECT_EQ(fs::file_size(trackFile("trkstat.inf")), 34u);

    // A database that holds tracks is never created again, whatever its overlay table says.
    record(0, 1);
    TrackInfo info = globalcurrenttrackinfos[0];
    ASSERT_EQ(DBSaveCurrentTrack(&info), 1);
    fs::resize_file(host("c:\\varnel\\database\\overlays.inf"), 8 + 61);
    EXPECT_EQ(DBInitialiseDatabase('C'), 1);
    EXPECT_EQ(entries().size(), 2u);
    EXPECT_EQ(fs::file_size(host("c:\\varnel\\database\\overlays.inf")), 8u + 61);
}

TEST_F(CurrentTrack, StartUpOnANewDrive)
{
    home.addDrive('d');
    ASSERT_EQ(DBInitialiseDatabase('D'), 1);
    EXPECT_STREQ(szVarnelDir, "D:\\varnel");
    EXPECT_TRUE(fs::exists(home.root() / "dosdevices" / "d:" / "varnel" / "database" / "OVL00003" / "objects.inf"));
    EXPECT_TRUE(fs::exists(home.root() / "dosdevices" / "d:" / "varnel" / "database" / "OVL00001" / "trkstat.inf"));
    EXPECT_EQ(win::scripted::dialogsOpened(), (std::vector<std::string>{"New Varnel Database: Choose a name"}));
    // A drive that does not exist cannot hold a database.
    EXPECT_EQ(DBInitialiseDatabase('Q'), 0);
    EXPECT_EQ(boxTexts(), (Boxes{"Init Database: Failed creating database directory"}));
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
}

} // namespace
