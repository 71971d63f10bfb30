// Whole runs of replaymake on a track database in a temporary data root: the files it writes,
// tracks interleaved by time, a selection of tracks, the paged listing, the checks before writing
// and their exit codes, asking before overwriting, and failures and a full disk.
#include "ReplaymakeFixture.h"

#include <algorithm>
#include <functional>

namespace {

std::vector<uint32_t> Times(std::initializer_list<uint32_t> t) { return t; }

} // namespace

TEST_F(ReplaymakeTest, WritesTheReadingOfTheUnitAndThePosition)
{
    store.addTrack(-1, {MakePoint(10.0f, 1.0f, 0.5f, -515083333, 2041666)}, Times({1789000000}));
    store.addTrack(2, {MakePoint(2.5f, 0.25f, 2.0f, 515083333, -1795000000)}, Times({1789000001}));

    auto result = run(ALL_TRACKS);

    EXPECT_EQ(result.exitCode, 1) << result.errors;
    EXPECT_EQ(written("sedrix.txt"), "C0103F1750S0372\r\n"
                                     "F0025F0076S7640\r\n");
    EXPECT_EQ(written("nav.txt"), "$GPGLL,5130.5000,S,00012.2500,E\r\n"
                                  "$GPGLL,5130.5000,N,17930.0000,W\r\n");
    EXPECT_EQ(indexListing("unsorted.txt"), "00:26:40 10/09/26,00002,00000\n"
                                            "00:26:41 10/09/26,00003,00000\n");
    EXPECT_EQ(indexListing("sorted.txt"), indexListing("unsorted.txt"));
    EXPECT_EQ(result.output,
              "Database replay \"make\" utility for Swath version 5.00\n"
              "MONO Version - Not Compatible with STEREO databases\n"
              "ovl00001\\objects.inf reports 3 tracks in total (including deleted tracks)\n"
              "ovl00001\\objects.inf reports 3 live tracks\n"
              "Info in tracks.inf (unsorted) is as follows:\n\n"
              "Handle   Leftlon    Rightlon    Toplat    Bottomlat    Points  Beam\n"
              "    2  000 12.25E  000 12.25E  51 30.50S  51 30.50S        1  -1 \n"
              "    3  179 30.00W  179 30.00W  51 30.50N  51 30.50N        1  +2 \n"
              "End of file\n"
              "\nUsing the database to generate replay text files\n"
              "\nSelected tracks only?) (y/n)"
              "Can't find c:\\varnel\\testdata directory\n"
              "Creating new c:\\varnel\\testdata directory\n"
              "\nThat was 2 points\n");
    EXPECT_EQ(result.errors, "");
}

TEST_F(ReplaymakeTest, InterleavesTracksByTimeWithUntimedPointsFirst)
{
    // Track 2 and 3 overlap in time (with one equal time); track 4 has no time file and
    // comes last, which must not keep the timed points out.
    store.addTrack(0, {MakePoint(1, 0, 0, 10000000, 0), MakePoint(2, 0, 0, 20000000, 0),
                       MakePoint(3, 0, 0, 30000000, 0)},
                   Times({100, 200, 300}));
    store.addTrack(1, {MakePoint(4, 0, 0, 40000000, 0), MakePoint(5, 0, 0, 50000000, 0)}, Times({150, 200}));
    store.addTrack(-3, {MakePoint(6, 0, 0, 60000000, 0), MakePoint(7, 0, 0, 70000000, 0)}, std::nullopt);

    auto result = run(ALL_TRACKS);

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors, "Failed to open time file trk00004.tim\n");
    EXPECT_EQ(written("sedrix.txt"), "A0062F0000S0000\r\n"
                                     "A0072F0000S0000\r\n"
                                     "D0010F0000S0000\r\n"
                                     "E0041F0000S0000\r\n"
                                     "D0020F0000S0000\r\n"
                                     "E0051F0000S0000\r\n"
                                     "D0031F0000S0000\r\n");
    EXPECT_EQ(written("nav.txt").substr(0, 33), "$GPGLL,0600.0000,N,00000.0000,E\r\n");
    EXPECT_EQ(indexListing("sorted.txt"), "00:01:40 01/01/70,00002,00000\n"
                                          "00:02:30 01/01/70,00003,00000\n"
                                          "00:03:20 01/01/70,00002,00022\n"
                                          "00:03:20 01/01/70,00003,00022\n"
                                          "00:05:00 01/01/70,00002,00044\n");
    EXPECT_EQ(indexListing("unsorted.txt"), "00:01:40 01/01/70,00002,00000\n"
                                            "00:03:20 01/01/70,00002,00022\n"
                                            "00:05:00 01/01/70,00002,00044\n"
                                            "00:02:30 01/01/70,00003,00000\n"
                                            "00:03:20 01/01/70,00003,00022\n");
    EXPECT_NE(result.output.find("\nThat was 7 points\n"), std::string::npos) << result.output;
}

TEST_F(ReplaymakeTest, SelectedTracksMatchADatabaseOfOnlyThoseTracks)
{
    auto track = [](int n) {
        return std::vector<TrackPoint>{MakePoint(float(n), 0.5f, 1.0f, n * 1000000, -n * 1000000),
                                       MakePoint(float(n) + 0.5f, 0.5f, 1.0f, n * 1000000 + 7, 0)};
    };
    // Handles 2..7; 5 and 7 share a time with each other and with the others.
    for (int n = 2; n <= 7; ++n)
        store.addTrack(int16_t(n % 4), track(n), Times({uint32_t(1000 + n % 2), 1002}));

    ASSERT_EQ(run("  y7\n5\n\n ").exitCode, 1);
    const std::string nav = written("nav.txt"), sounder = written("sedrix.txt");
    ASSERT_EQ(run("  y5\n7\n\nyy ").exitCode, 1);
    EXPECT_EQ(written("nav.txt"), nav);
    EXPECT_EQ(written("sedrix.txt"), sounder);

    for (uint32_t handle : {2u, 3u, 4u, 6u})
        store.deleteTrack(handle);
    ASSERT_EQ(run("  nyy ").exitCode, 1);
    EXPECT_EQ(written("nav.txt"), nav);
    EXPECT_EQ(written("sedrix.txt"), sounder);
    EXPECT_EQ(std::count(sounder.begin(), sounder.end(), '\n'), 4);
}

TEST_F(ReplaymakeTest, EscapeOrEndOfInputEndsTheListingAtAPause)
{
    for (int n = 0; n < 25; ++n)
        store.addTrack(0, {MakePoint(1, 1, 1, 0, 0)}, Times({1}));

    for (const std::string keys : {" \x1b", " "}) {
        std::filesystem::remove_all(testdata());
        auto result = run(keys);
        auto from = result.output.find("Handle");
        auto lines = result.output.substr(from, result.output.find("End of file") - from);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1 + 21) << lines;
        EXPECT_NE(lines.find("   22  000 00.00E"), std::string::npos);
        EXPECT_EQ(lines.find("   23  000 00.00E"), std::string::npos);
        // With nothing more typed, the selection question is refused and all tracks written.
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.output.find("That was 25 points"), std::string::npos);
    }
    // Any other key pages on.
    std::filesystem::remove_all(testdata());
    auto result = run("  x n ");
    EXPECT_NE(result.output.find("   26  000 00.00E"), std::string::npos);
    EXPECT_EQ(result.exitCode, 1);
}

TEST_F(ReplaymakeTest, ListsDeletedEntriesAndUnknownBeams)
{
    uint32_t gone = store.addTrack(-2, {MakePoint(1, 1, 1, 0, 0)}, std::nullopt);
    store.addTrack(7, {MakePoint(1, 1, 1, 0, 0)}, std::nullopt);
    store.deleteTrack(gone);
    // The beam table ends before the next track's handle.
    std::filesystem::resize_file(store.overlay() / "Swath.dat", 8);
    store.addTrack(3, {MakePoint(1, 1, 1, 0, 0)}, std::nullopt);
    std::filesystem::resize_file(store.overlay() / "Swath.dat", 8);

    auto result = run(ALL_TRACKS);

    EXPECT_NE(result.output.find("    0  000 00.00E  000 00.00E  00 00.00N  00 00.00N        1  -2 \n"
                                 "    3  000 00.00E  000 00.00E  00 00.00N  00 00.00N        1  -1 \n"
                                 "    4  000 00.00E  000 00.00E  00 00.00N  00 00.00N        1  +4 \n"),
              std::string::npos)
        << result.output;
    // Track 4's beam is unknown: it keeps the beam of the track before it.
    EXPECT_EQ(written("sedrix.txt"), "C0010F1750S1750\r\nC0010F1750S1750\r\n");
    EXPECT_NE(result.output.find("objects.inf reports 4 tracks in total"), std::string::npos);
    EXPECT_NE(result.output.find("objects.inf reports 3 live tracks"), std::string::npos);
}

TEST_F(ReplaymakeTest, PreliminaryChecksEndWithTheirCodes)
{
    struct Case {
        const char* name;
        std::function<void()> damage;
        int code;
        const char* errors;
    } cases[] = {
        {"no status file", [&] { std::filesystem::remove(store.overlay() / "trkstat.inf"); }, 31,
         "Failed opening ovl00001\\trkstat.inf\n"},
        {"stereo status", [&] { store.writeStatusFile(44); }, 33,
         "ovl00001\\trkstat.inf is the wrong size\nYou appear to have a stereo database\n"},
        {"damaged status", [&] { store.writeStatusFile(30); }, 33, "ovl00001\\trkstat.inf is the wrong size\n"},
        {"no tracks.inf",
         [&] {
             std::filesystem::remove(store.overlay() / "objects.inf");
             std::filesystem::remove(store.overlay() / "tracks.inf");
         },
         2, "Failed opening ovl00001\\objects.inf\nCan't find ovl00001\\tracks.inf\n"},
        {"damaged tracks.inf",
         [&] {
             std::filesystem::remove(store.overlay() / "objects.inf");
             std::filesystem::resize_file(store.overlay() / "tracks.inf", 43);
         },
         4, "Failed opening ovl00001\\objects.inf\nTracks.inf is an incorrect length\n"},
    };
    for (const auto& c : cases) {
        TrackStoreWriter fresh{root.driveC()};
        c.damage();
        auto result = run("");
        EXPECT_EQ(result.exitCode, c.code) << c.name;
        EXPECT_EQ(result.errors, c.errors) << c.name;
        EXPECT_TRUE(result.output.ends_with("Press a key\n")) << c.name << result.output;
        EXPECT_FALSE(std::filesystem::exists(testdata())) << c.name;
    }
}

TEST_F(ReplaymakeTest, ObjectsFileMissingFallsBackToTracksInf)
{
    store.addTrack(0, {MakePoint(1, 1, 1, 0, 0)}, Times({1}));
    std::filesystem::remove(store.overlay() / "objects.inf");
    auto result = run(ALL_TRACKS);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.errors, "Failed opening ovl00001\\objects.inf\n");
    EXPECT_NE(result.output.find("Calculating number of tracks from length of tracks.inf..\n"
                                 "ovl00001\\tracks.inf holds 2 tracks in total (including deleted tracks)\n"),
              std::string::npos);
}

TEST_F(ReplaymakeTest, AsksBeforeOverwritingEachFile)
{
    store.addTrack(0, {MakePoint(1, 1, 1, 0, 0)}, Times({5}));
    ASSERT_EQ(run(ALL_TRACKS).exitCode, 1);
    TempDataRoot::writeFile(testdata() / "nav.txt", "old nav");
    TempDataRoot::writeFile(testdata() / "sedrix.txt", "old sounder");
    const char* navQuestion = "G.P.S. text file \"c:\\varnel\\testdata\\nav.txt\" exists! OverWrite?\n";
    const char* sounderQuestion = "Sedrix text file \"c:\\varnel\\testdata\\sedrix.txt\" exists! OverWrite?\n";

    for (const std::string keys : {"  nn", "  nyn", "  ny"}) {
        auto result = run(keys);
        EXPECT_EQ(result.exitCode, 0) << keys;
        EXPECT_NE(result.output.find(navQuestion), std::string::npos);
        EXPECT_EQ(result.output.find(sounderQuestion) != std::string::npos, keys != "  nn");
        EXPECT_EQ(written("nav.txt"), "old nav");
        EXPECT_EQ(written("sedrix.txt"), "old sounder");
    }
    auto result = run("  nYy ");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(written("sedrix.txt"), "D0010F1750S1750\r\n");
}

TEST_F(ReplaymakeTest, GenerationFailuresStopWithCodeZero)
{
    store.addTrack(0, {MakePoint(1, 1, 1, 0, 0)}, std::nullopt);
    uint32_t lost = store.addTrack(0, {MakePoint(2, 1, 1, 0, 0)}, Times({9}));
    std::filesystem::remove(store.overlay() / ("trk0000" + std::to_string(lost) + ".dat"));

    auto result = run(ALL_TRACKS);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.errors, "Failed to open time file trk00002.tim\n"
                             "Failed to open file trk00003.dat\n");
    EXPECT_NE(result.output.find("Can't find c:\\varnel\\testdata directory\n"
                                 "Creating new c:\\varnel\\testdata directory\n"), std::string::npos);
    // What was written before the failure stays.
    EXPECT_EQ(written("sedrix.txt"), "D0010F1750S1750\r\n");

    std::filesystem::remove_all(testdata());
    TempDataRoot::writeFile(testdata(), "not a folder");
    result = run(ALL_TRACKS);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.errors, "c:\\varnel\\testdata is not a directory\nPlease rename or delete\n");
    EXPECT_TRUE(result.output.ends_with("Press a key to exit\n"));
}

TEST_F(ReplaymakeTest, PointsBeyondTheEndOfTheTimeFileAreWrittenAtOnce)
{
    store.addTrack(0, {MakePoint(1, 0, 0, 0, 0), MakePoint(2, 0, 0, 0, 0)}, Times({50}));
    store.addTrack(1, {MakePoint(3, 0, 0, 0, 0)}, Times({40}));

    auto result = run(ALL_TRACKS);

    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(written("sedrix.txt"), "D0020F0000S0000\r\nE0031F0000S0000\r\nD0010F0000S0000\r\n");
    EXPECT_NE(result.output.find("That was 3 points"), std::string::npos);
}

TEST_F(ReplaymakeTest, AFullDiskIsReportedNotCountedAsSuccess)
{
    store.addTrack(0, {MakePoint(1, 0, 0, 0, 0)}, Times({50}));
    std::filesystem::create_directories(testdata());
    std::filesystem::create_symlink("/dev/full", testdata() / "sedrix.txt");

    auto result = run("  ny ");

    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.errors, "Failed writing c:\\varnel\\testdata\\sedrix.txt\n");
    EXPECT_EQ(result.output.find("That was"), std::string::npos);
}
