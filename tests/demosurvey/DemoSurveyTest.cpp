// The demo survey tool run into a fresh data root: its stored tracks read back through the
// database, its replay files read as the replay module reads them, and its box file against the
// one shipped in data/demo.
#include "ChildProcess.h"
#include "TempDataRoot.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "database/OverlayStore.h"
#include "database/TrackStore.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "seabed/seabedecho.h"
#include "seabed/seabedmodel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string BOX_FILE = "c:\\varnel\\BoxFiles\\demo.box";

ChildResult RunDemoSurvey(const std::vector<std::string>& arguments = {})
{
    std::vector<std::string> argv{DEMOSURVEY_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return RunChild(argv, "");
}

std::string HostText(const std::string& windowsPath) { return TempDataRoot::readFile(*win::HostPath(windowsPath)); }

// Lines with their CR LF, as the replay module splits its files.
std::vector<std::string> ReplayLines(const std::string& windowsPath)
{
    std::vector<std::string> lines;
    const std::string text = HostText(windowsPath);
    for (size_t at = 0; at < text.size();) {
        size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, end - at));
        at = end;
    }
    return lines;
}

bool InDemoArea(int32_t lat, int32_t lon)
{
    return lat * 1e-7 > seabed::kSouth && lat * 1e-7 < seabed::kNorth && lon * 1e-7 > seabed::kWest &&
           lon * 1e-7 < seabed::kEast;
}
bool InWater(int32_t lat, int32_t lon) { return seabed::depthAt(lat * 1e-7, lon * 1e-7) > 0.0; }

// A record's GPS line through the navigation framer and parser, as the replay module feeds it.
bool ReadNavLine(const std::string& line, SwathReading& reading)
{
    NavFramer& f = navFramer;
    ResetNavFramer(f);
    const size_t length = std::min(line.size(), size_t(NAV_RECEIVE_SIZE));
    std::memcpy(f.receive, line.data(), length);
    f.readPos = 0;
    f.unread = int(length);
    while (f.unread > 0 && !f.fSentencePending)
        FrameNavBytes(f);
    return TakeNavSentences(&reading) == 1;
}

// A record's reading line through the sounder framer and decoder, likewise.
bool ReadSounderLine(const std::string& line, SwathReading& reading)
{
    SounderFramer& f = sounderFramer;
    ResetSounderFramer(f);
    const size_t length = std::min(line.size(), size_t(SOUNDER_RECEIVE_SIZE));
    std::memcpy(f.receive, line.data(), length);
    f.readPos = 0;
    f.unread = int(length);
    while (f.unread > 0)
        FrameSounderBytes(f);
    return TakeSounderReading(&reading) == 1;
}

struct StoredTrack {
    TrackInfo info;
    int transducer;
    std::vector<TrackPoint> points;
};

// One run of the tool for the whole suite: every test reads what it made.
class DemoSurvey : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        root = std::make_unique<TempDataRoot>();
        run = RunDemoSurvey();
    }
    static void TearDownTestSuite() { root.reset(); }

    void SetUp() override
    {
        ASSERT_EQ(run.exitCode, 0) << run.output << run.errors;
        win::scripted::listen();
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        ASSERT_EQ(LoadBoxFile(BOX_FILE.c_str(), nullptr, &box, 1), 1);
    }
    void TearDown() override
    {
        EXPECT_TRUE(win::scripted::boxes().empty()) << win::scripted::boxes().front().text;
        win::scripted::stopListening();
    }

    static std::vector<StoredTrack> StoredTracks()
    {
        std::vector<StoredTrack> tracks;
        uint16_t counts[5] = {};
        EXPECT_EQ(DBGetNoOfObjects(TRACK_OVERLAY, counts), 1);
        // Handle 1 is the current track.
        for (uint32_t handle = 2; handle <= counts[OBJ_TRACK - 1]; ++handle) {
            StoredTrack track{};
            track.info.handle = handle;
            EXPECT_EQ(DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &track.info, "database"), 1);
            EXPECT_EQ(DBGetTrackBeam(handle, &track.transducer), 0) << handle;
            std::vector<TrackPoint> buffer(TRACK_BLOCK_POINTS);
            TrackBlock block{buffer.data(), 0, 0};
            do {
                EXPECT_EQ(DBReadTrackDataBlock(&track.info, &block, "database"), 1);
                track.points.insert(track.points.end(), buffer.begin(), buffer.begin() + block.count);
            } while (block.count == TRACK_BLOCK_POINTS);
            tracks.push_back(std::move(track));
        }
        return tracks;
    }

    static inline std::unique_ptr<TempDataRoot> root;
    static inline ChildResult run;
    BoxFile box{};
};

TEST_F(DemoSurvey, StoredTracksHoldEveryTransducerInTheWaterClassifiedByTheDemoBox)
{
    const std::vector<StoredTrack> tracks = StoredTracks();
    ASSERT_GE(tracks.size(), 7u);
    std::set<int> transducers;
    std::map<int, size_t> classes;
    for (const StoredTrack& track : tracks) {
        transducers.insert(track.transducer);
        ASSERT_FALSE(track.points.empty()) << track.info.handle;
        // A time for every point, in recording order.
        char timeFile[64];
        std::snprintf(timeFile, sizeof timeFile, "c:\\varnel\\database\\ovl00001\\trk%05u.tim", track.info.handle);
        const std::string times = HostText(timeFile);
        ASSERT_EQ(times.size(), track.points.size() * 4) << track.info.handle;
        std::vector<uint32_t> time(track.points.size());
        std::memcpy(time.data(), times.data(), times.size());
        EXPECT_TRUE(std::is_sorted(time.begin(), time.end())) << track.info.handle;

        for (TrackPoint point : track.points) {
            ASSERT_TRUE(InDemoArea(point.lat, point.lon)) << track.info.handle << ": " << point.lat << " " << point.lon;
            ASSERT_TRUE(InWater(point.lat, point.lon)) << track.info.handle << ": " << point.lat << " " << point.lon;
            EXPECT_NEAR(point.depth, seabed::depthAt(point.lat * 1e-7, point.lon * 1e-7), 1.0);
            const int16_t stored = point.colour;
            ClassifyReading(&box, &point);
            ASSERT_EQ(stored, point.colour) << track.info.handle << ": " << point.e1 << " " << point.e2;
            ++classes[stored];
        }
    }
    EXPECT_EQ(transducers, (std::set<int>{-3, -2, -1, 0, 1, 2, 3}));
    EXPECT_EQ(classes.count(COLOUR_UNCLASSIFIED), 0u);
    EXPECT_GE(classes.size(), 3u);
}

TEST_F(DemoSurvey, ReplayFilesHoldNewLinesThatTheReplayModuleReads)
{
    const std::vector<std::string> nav = ReplayLines("c:\\varnel\\testdata\\nav.txt");
    const std::vector<std::string> sounder = ReplayLines("c:\\varnel\\testdata\\sedrix.txt");
    ASSERT_FALSE(nav.empty());
    ASSERT_EQ(nav.size(), sounder.size());

    // Where the stored lines ran: their centre transducer's points lie under the vessel.
    std::vector<int32_t> storedLines;
    for (const StoredTrack& track : StoredTracks())
        if (track.transducer == 0)
            storedLines.push_back(track.points.front().lat);
    ASSERT_FALSE(storedLines.empty());

    std::set<int> transducers;
    for (size_t i = 0; i < nav.size(); ++i) {
        SwathReading reading = UnpositionedReading();
        ASSERT_TRUE(ReadNavLine(nav[i], reading)) << i << ": " << nav[i];
        ASSERT_TRUE(ReadSounderLine(sounder[i], reading)) << i << ": " << sounder[i];
        ASSERT_TRUE(InDemoArea(reading.lat, reading.lon)) << i << ": " << nav[i];
        ASSERT_TRUE(InWater(reading.lat, reading.lon)) << i << ": " << nav[i];
        ASSERT_GT(reading.depth, 0.0f) << i << ": " << sounder[i];
        ASSERT_NE(ClassifyReading(&box, &reading), 1) << i << ": " << sounder[i];
        ASSERT_NE(reading.colour, COLOUR_UNCLASSIFIED) << i << ": " << sounder[i];
        transducers.insert(reading.transducer);
        // Beside the stored lines (100 m apart), never on one of them.
        for (int32_t line : storedLines)
            ASSERT_GT(std::abs(reading.lat - line), 50 * 90) << i << ": " << nav[i];
    }
    EXPECT_EQ(transducers, (std::set<int>{-3, -2, -1, 0, 1, 2, 3}));
}

TEST_F(DemoSurvey, ShippedBoxIsTheOneTheToolWritesAndNamesEachSeabedKind)
{
    EXPECT_EQ(TempDataRoot::readFile(DEMO_BOX_SOURCE), HostText(BOX_FILE));
    for (seabed::SeabedKind kind : seabed::kSeabedKinds) {
        const seabed::Echo mean = seabed::meanEcho(kind);
        TrackPoint point{10.0f, float(mean.e1), float(mean.e2), 0, 0, 0};
        ASSERT_EQ(ClassifyReading(&box, &point), 0);
        EXPECT_STREQ(box.classNames[point.colour], seabed::seabedKindName(kind));
    }
    // The program starts with it: the setting names it as the start-up load looks for it.
    char name[MAX_PATH] = "";
    ASSERT_NE(GetCurrentBoxFile(name), 0);
    EXPECT_STREQ(name, "demo.box");
}

TEST_F(DemoSurvey, LeavesADatabaseThatHoldsTracksAlone)
{
    const size_t before = StoredTracks().size();
    const ChildResult again = RunDemoSurvey();
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.errors.find("already holds tracks"), std::string::npos) << again.errors;
    EXPECT_EQ(StoredTracks().size(), before);
}

TEST(DemoSurveyArguments, HelpAndUnknownArguments)
{
    TempDataRoot root;
    const ChildResult help = RunDemoSurvey({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.output.rfind("Usage: demosurvey", 0), 0u) << help.output;
    const ChildResult wrong = RunDemoSurvey({"--lines"});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.errors.find("unknown argument --lines"), std::string::npos) << wrong.errors;
    EXPECT_FALSE(std::filesystem::exists(root.driveC() / "varnel" / "database"));
}

} // namespace
