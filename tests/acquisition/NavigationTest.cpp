// The navigation input: NMEA sentences parsed into fixes, courses and speeds (malformed and no-fix
// ones changing nothing), the framer keeping a course that arrives behind a fix, the compass, and
// the $GPGLL output, with ports on pseudo-terminals where one is needed.
#include "acquisition/HandOff.h"
#include "PseudoTerminal.h"
#include "TempDataRoot.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/VesselState.h"

#include <cstring>
#include <gtest/gtest.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

struct Parsed {
    int result;
    SwathReading point;
    std::vector<std::string> debug;
};

Parsed parse(const std::string& sentence, SwathReading point = {})
{
    Parsed p{0, point, {}};
    win::setDebugListener([&](const std::string& text) { p.debug.push_back(text); });
    p.result = ParseNavSentence(sentence.c_str(), &p.point, &rTrueHeading);
    win::setDebugListener(nullptr);
    return p;
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(ParseNavSentence, PositionFixesFromGllAndGga)
{
    Parsed gll = parse("$GPGLL,5130.5000,N,00012.2500,W,120000,A\r");
    EXPECT_EQ(gll.result, 1);
    EXPECT_EQ(+gll.point.lat, 515083333);
    EXPECT_EQ(+gll.point.lon, -2041666);
    EXPECT_EQ(vessellatitude, 515083333);
    EXPECT_EQ(vessellongitude, -2041666);
    EXPECT_GT(+gll.point.time, 1700000000);

    Parsed gga = parse("$GNGGA,120001.00,0130.0000,S,17959.9999,E,1,08,0.9,12.0,M,,M,,*40\r");
    EXPECT_EQ(gga.result, 1);
    EXPECT_EQ(+gga.point.lat, -15000000);
    EXPECT_EQ(+gga.point.lon, 1799999983);
}

TEST(ParseNavSentence, MalformedPositionsChangeNothing)
{
    SwathReading before{};
    before.lat = 11;
    before.lon = 22;
    struct Case {
        const char* sentence;
        const char* debugEnd;
    } cases[] = {
        {"$GPGGA,120000,,N,00012.25,W,1,08\r", ":paramsread=0 (not 6)\n"},
        {"$GPGLL,5130.5,N,,W\r", ":paramsread=3\n"},
        {"$GPGLL,9960.0,N,00012.25,W\r", ""},
        {"$GPGLL,5130.5,N,1e300,W\r", ""},
        {"$GPGLL,5130.5000,N,00012.2500,W*7E\r", ":checksum error \"$GPGLL,5130.5000,N,00012.2500,W*7E\r\"\n"},
        {"$GPGGA,120000,5130.5000,N,00012.2500,W,1*Z2\r", ":checksum error \"$GPGGA,120000,5130.5000,N,00012.2500,W,1*Z2\r\"\n"},
        {"$gpgll,5130.5,N,00012.25,W\r", nullptr},
        {"$GPRMC,120000,A,5130.5,N,,W\r", ":paramsread=3 (not 6)\n"},
        {"GPGLL,5130.5,N,00012.25,W\r", nullptr},
        {"$GP", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        Parsed p = parse(c.sentence, before);
        EXPECT_EQ(p.result, 0);
        EXPECT_EQ(+p.point.lat, 11);
        EXPECT_EQ(+p.point.lon, 22);
        if (c.debugEnd) {
            ASSERT_EQ(p.debug.size(), 1u);
            EXPECT_EQ(p.debug[0].rfind("ReadData Conversions,", 0), 0u);
            EXPECT_TRUE(endsWith(p.debug[0], c.debugEnd)) << p.debug[0];
        } else {
            EXPECT_TRUE(p.debug.empty());
        }
    }
}

TEST(ParseNavSentence, NoFixSentencesGiveNoPosition)
{
    ResetVesselState();
    ResetAcquisitionState();
    SwathReading before{};
    before.lat = 11;
    before.lon = 22;
    struct Case {
        const char* sentence;
        const char* why;
    } cases[] = {
        // Receivers that lost lock, repeating their last position.
        {"$GPGGA,012519.563,4131.7353,N,09336.8150,W,0,00,50.0,280.2,M,-31.6,M,0.0,0000*7D\r", ":no fix"},
        {"$GPGGA,120000,5130.5000,N,00012.2500,W,,08\r", ":no fix"},
        {"$GPGGA,120000,5130.5000,N,00012.2500,W\r", ":no fix"},
        {"$GPGGA,120000,5130.5000,N,00012.2500,W,8,08\r", ":no fix"}, // a receiver in simulator mode
        {"$GPGLL,5201.0687,N,00832.0645,E,142818.899,V,N*4E\r", ":no fix"},
        {"$GPGLL,3728.0549,N,12213.8639,W,014413.076,N,V*50\r", ":no fix"},
        {"$GPRMC,135658.997,V,5543.0326,N,03724.7205,E,00.79,159.0,051209,,,N*73\r", ":no fix"},
        // Minutes that no receiver with a fix sends.
        {"$GPRMC,071732.929,A,8960.0000,N,00000.0000,E,0.00,0.00,111111,,,A\r", ":minutes out of range"},
        {"$GPGGA,120000,5130.5000,N,00075.0000,W,1,08\r", ":minutes out of range"},
        {"$GPGLL,5130.5000,N,000-12.500,W,120000,A\r", ":minutes out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        vessellatitude = 33;
        knots = 3.0f;
        Parsed p = parse(c.sentence, before);
        EXPECT_EQ(p.result, 0);
        EXPECT_EQ(+p.point.lat, 11);
        EXPECT_EQ(+p.point.lon, 22);
        EXPECT_EQ(vessellatitude, 33) << "the vessel is not placed there";
        EXPECT_FLOAT_EQ(GetTrackKnots(), 3.0f) << "nor is its speed taken";
        ASSERT_FALSE(p.debug.empty());
        EXPECT_NE(p.debug.back().find(c.why), std::string::npos) << p.debug.back();
    }
}

TEST(ParseNavSentence, RmcGivesPositionCourseAndSpeed)
{
    ResetVesselState();
    ResetAcquisitionState();
    SwathReading noHeading{};
    noHeading.heading = NO_ANGLE;
    Parsed gn = parse("$GNRMC,081411.000,A,5541.1955,N,03737.2872,E,0.60,301.29,260514,,,A*74\r", noHeading);
    EXPECT_EQ(gn.result, 1);
    EXPECT_EQ(+gn.point.lat, 556865916);
    EXPECT_EQ(+gn.point.lon, 376214533);
    EXPECT_EQ(vessellatitude, 556865916);
    EXPECT_GT(+gn.point.time, 1700000000);
    EXPECT_FLOAT_EQ(GetTrackKnots(), 0.60f);
    EXPECT_FLOAT_EQ(GetTrackHeading(), 301.29f);
    EXPECT_FLOAT_EQ(+gn.point.heading, 301.29f);

    Parsed gl = parse("$GLRMC,135654.997,A,5543.0328,N,03724.7197,E,00.00,129.5,051209,,,A*71\r");
    EXPECT_EQ(gl.result, 1);
    EXPECT_EQ(+gl.point.lat, 557172133);
    EXPECT_FLOAT_EQ(GetTrackKnots(), 0.0f);

    Parsed noCourse = parse("$GPRMC,143252.00,A,4002.10513,N,07531.20562,W,0.016,,241013,,,A*60\r");
    EXPECT_EQ(noCourse.result, 1);
    EXPECT_EQ(+noCourse.point.lon, -755200936);
    EXPECT_FLOAT_EQ(GetTrackKnots(), 0.016f);
    EXPECT_FLOAT_EQ(GetTrackHeading(), 129.5f) << "an empty course leaves the last one";
}

TEST(ParseNavSentence, CourseAndSpeedFromVtg)
{
    SwathReading noHeading{};
    noHeading.heading = NO_ANGLE;
    Parsed p = parse("$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r", noHeading);
    EXPECT_EQ(p.result, 0) << "never a position fix";
    EXPECT_FLOAT_EQ(rTrueHeading, 54.7f);
    EXPECT_FLOAT_EQ(GetTrackHeading(), 54.7f);
    EXPECT_FLOAT_EQ(+p.point.heading, 54.7f);
    EXPECT_FLOAT_EQ(GetTrackKnots(), 5.5f);
    EXPECT_GT(GetTrackKnotsUpdate(), 0);
    EXPECT_GT(GetTrackHeadingUpdate(), 0);

    SwathReading compass{};
    compass.heading = 10.0f;
    EXPECT_FLOAT_EQ(parse("$GPVTG,200.0,T,,M,1.0,N\r", compass).point.heading, 10.0f) << "a compass heading stays";

    Parsed empty = parse("$GPVTG,,T,,M,5.2,N,9.6,K\r");
    ASSERT_FALSE(empty.debug.empty());
    EXPECT_TRUE(endsWith(empty.debug[0], ":Invalid VTG True Hdg\n"));
    EXPECT_FLOAT_EQ(GetTrackKnots(), 5.2f);
}

TEST(ParseNavSentence, BrokenVtgLeavesSpeedAlone)
{
    parse("$GPVTG,1.0,T,2.0,M,3.0,N\r");
    struct Case {
        const char* sentence;
        const char* debugEnd;
    } cases[] = {
        {"$GPVTG", ":Invalid VTG String\n"},
        {"$GPVTG,054.7", ":buff=\"$GPVTG,054.7\"\n"},
        {"$GPVTG,54.x,T,,M,9.0,N\r", ":error converting true hdg \"54.x\"\n"},
        {"$GPVTG,nan,T,,M,9.0,N\r", ":error converting true hdg \"nan\"\n"},
        {"$GPVTG,540e300,T,,M,9.0,N\r", ":error converting true hdg \"540e300\"\n"},
        {"$GPVTG,54,X,,M,9.0,N\r", ":error finding 'T' in VTG string; found \"X,,M,9.0,N\r\"\n"},
        {"$GPVTG,54,T,,Q,9.0,N\r", ":error finding 'M' in VTG string; found \"Q,9.0,N\r\""},
        {"$GPVTG,54,T,,M,,N\r", ":Invalid VTG Knots\n"},
        {"$GPVTG,54,T,,M,fast,N\r", ":error converting knots \"fast\"\n"},
        {"$GPVTG,54,T,,M,9.0\r", "\n"},
        {"$GPVTG,54,T,,M,9.0,N*00\r", ":checksum error \"$GPVTG,54,T,,M,9.0,N*00\r\"\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sentence);
        Parsed p = parse(c.sentence);
        EXPECT_EQ(p.result, 0);
        ASSERT_FALSE(p.debug.empty());
        EXPECT_TRUE(endsWith(p.debug.back(), c.debugEnd)) << p.debug.back();
        EXPECT_FLOAT_EQ(GetTrackKnots(), 3.0f);
    }
}

std::vector<NavFrameResult> frameNav(const std::string& bytes, std::vector<std::string>* sentences = nullptr)
{
    NavFramer& f = navFramer;
    ResetNavFramer(f);
    std::memcpy(f.receive, bytes.data(), bytes.size());
    f.unread = int(bytes.size());
    std::vector<NavFrameResult> results;
    while (f.unread > 0) {
        NavFrameResult r = FrameNavBytes(f);
        if (r == NavFrameResult::NeedMore)
            break;
        results.push_back(r);
        if (sentences && f.fSentencePending)
            sentences->emplace_back(f.fix);
        if (sentences && f.fCoursePending)
            sentences->emplace_back(f.course);
        f.fSentencePending = false;
        f.fCoursePending = false;
    }
    return results;
}

TEST(NavFramer, HandsOnFixesAndCoursesAndDropsOverlongSentences)
{
    using R = NavFrameResult;
    std::vector<std::string> sentences;
    std::string longOne = "$GPXXX," + std::string(200, 'A');
    std::string longest = "$GPGGA," + std::string(141, '1') + "\r"; // 149 bytes
    std::string tooLong = "$GPGLL," + std::string(142, '1') + "\r"; // 150 bytes
    auto results = frameNav("noise$GPGGA,1,2\r\n$GPZDA,1\r\n" + longOne + "$GPVTG,1,T\r\n" + longest + tooLong +
                                "$GPGLL,3\r\n$GNRMC,4\r\n",
                            &sentences);
    EXPECT_EQ(results,
              (std::vector<R>{R::Fix, R::Other, R::Discarded, R::Course, R::Fix, R::Discarded, R::Fix, R::Fix}));
    EXPECT_EQ(sentences,
              (std::vector<std::string>{"$GPGGA,1,2\r", "$GPVTG,1,T\r", longest, "$GPGLL,3\r", "$GNRMC,4\r"}));
}

void loadNav(const std::string& bytes)
{
    NavFramer& f = navFramer;
    std::memcpy(f.receive, bytes.data(), bytes.size());
    f.readPos = 0;
    f.unread = int(bytes.size());
}

TEST(NavFramer, CourseBehindAFixSurvivesTheDrop)
{
    using R = NavFrameResult;
    NavFramer& f = navFramer;
    ResetNavFramer(f);
    loadNav("$GPGGA,1\r\n$GPVTG,10,T\r\n$GPRMC,2,A\r\n$GPVTG,3");
    ASSERT_EQ(FrameNavBytes(f), R::Fix);
    EXPECT_FALSE(KeepCourseFromUnread(f)) << "the course still arriving holds the purge back";
    EXPECT_EQ(f.unread, 0);
    EXPECT_STREQ(f.course, "$GPRMC,2,A\r") << "the newest whole one";
    loadNav("0,T\r\n$GPGGA,3\r\n");
    EXPECT_EQ(FrameNavBytes(f), R::StaleDropped);
    EXPECT_STREQ(f.course, "$GPVTG,30,T\r") << "finished while the fix waited";
    EXPECT_EQ(f.unread, 0) << "what came behind it is stale";
    EXPECT_STREQ(f.fix, "$GPGGA,1\r");

    // One that turns out not to be a course is given up at its type.
    ResetNavFramer(f);
    loadNav("$GPGGA,1\r\n$GP");
    ASSERT_EQ(FrameNavBytes(f), R::Fix);
    EXPECT_FALSE(KeepCourseFromUnread(f));
    loadNav("GSV,1\r\n$GPVTG,40,T\r\n");
    EXPECT_EQ(FrameNavBytes(f), R::StaleDropped);
    EXPECT_FALSE(f.fCoursePending);
    EXPECT_EQ(f.unread, 0);

    ResetNavFramer(f);
    loadNav("$GPGGA,1\r\n$GPGSV,1\r\n$GPGSA");
    ASSERT_EQ(FrameNavBytes(f), R::Fix);
    EXPECT_TRUE(KeepCourseFromUnread(f)) << "nothing to wait for";
    ResetNavFramer(f);
}

TEST(NavFramer, NewestCourseReplacesOneNotYetTaken)
{
    ResetVesselState();
    ResetAcquisitionState();
    NavFramer& f = navFramer;
    ResetNavFramer(f);
    loadNav("$GPVTG,10.0,T,,M,1.0,N\r\n$GPVTG,20.0,T,,M,2.0,N\r\n");
    while (f.unread > 0)
        FrameNavBytes(f);
    SwathReading r{};
    r.heading = NO_ANGLE;
    EXPECT_EQ(TakeNavSentences(&r), 0);
    EXPECT_FLOAT_EQ(GetTrackKnots(), 2.0f);
    EXPECT_FLOAT_EQ(GetTrackHeading(), 20.0f);
}

template <typename Condition>
bool waitFor(Condition done)
{
    auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(5ms);
    }
    return true;
}

// A receiver sending VTG right behind GGA at 4800 baud: the reader often has only the start of
// the VTG when it frames the fix, and the rest comes after.
TEST(NavInput, CourseArrivingBehindAFixIsKept)
{
    TempDataRoot root;
    PseudoTerminal nav, sounder;
    win::scripted::listen();
    nav.linkAs(root.root(), 2);
    sounder.linkAs(root.root(), 4);
    TempDataRoot::writeFile(root.driveC() / "varnel" / "comms.ini", "2 4\n");
    ResetVesselState();
    ResetAcquisitionState();
    ASSERT_EQ(OpenLinks(nullptr), 0);
    ASSERT_TRUE(NavPortOpen());

    nav.write("$GPGGA,120000,5130.5000,N,00012.2500,W,1,08,0.9,12.0,M,,M,,\r\n$GPVTG,054.7,T,034.4,M,00");
    ASSERT_TRUE(waitFor([] { return navFramer.fSentencePending.load(); }));
    nav.write("5.5,N,010.2,K\r\n");
    SwathReading r{};
    int fixes = 0;
    EXPECT_TRUE(waitFor([&] {
        fixes += TakeNavSentences(&r);
        return GetTrackKnots() == 5.5f;
    })) << "speed " << GetTrackKnots();
    EXPECT_EQ(fixes, 1);
    EXPECT_EQ(+r.lat, 515083333);
    EXPECT_FLOAT_EQ(GetTrackHeading(), 54.7f);
    EXPECT_EQ(CloseLinks(nullptr), 0);
    win::scripted::stopListening();
}

TEST(Compass, ChecksummedSentencesOnly)
{
    CompassRecord record{NO_ANGLE, NO_ANGLE, NO_ANGLE};
    std::string good = "$PTCMP,123.5,2.5,-1.5*73\r\n";
    ASSERT_TRUE(FeedCompassBytes(good.data(), int(good.size()), &record));
    EXPECT_FLOAT_EQ(+record.heading, 123.5f);
    EXPECT_FLOAT_EQ(+record.pitch, -2.5f) << "stored negated";
    EXPECT_FLOAT_EQ(+record.roll, -1.5f);

    std::string bad = good;
    bad[8] = '9';
    EXPECT_FALSE(FeedCompassBytes(bad.data(), int(bad.size()), &record));
    std::string noise(300, '$');
    noise += std::string(100, 'x') + "\r";
    EXPECT_FALSE(FeedCompassBytes(noise.data(), int(noise.size()), &record));
    EXPECT_FLOAT_EQ(+record.heading, 123.5f);
    EXPECT_FLOAT_EQ(+record.pitch, -2.5f);
}

TEST(Compass, OpenedPortTakesItsCorrectionsAndIsSetUp)
{
    TempDataRoot root;
    PseudoTerminal pty;
    pty.linkAs(root.root(), 5);
    win::scripted::listen();
    WritePrivateProfileStringA("Compass", "Port", "COM5", "VARNEL.INI");
    WritePrivateProfileStringA("Compass", "Correction", "2.5", "VARNEL.INI");
    WritePrivateProfileStringA("Compass", "PitchCorrection", "1", "VARNEL.INI");
    ASSERT_EQ(OpenCompass(nullptr), 0);
    EXPECT_TRUE(win::scripted::boxes().empty());
    const std::string setUp = "echo off\rauto on\rnmea d\rrefresh 0.1\rgo\r";
    EXPECT_EQ(pty.read(1s, setUp.size()), setUp);
    char text[32];
    GetPrivateProfileStringA("Compass", "RollCorrection", "", text, sizeof text, "VARNEL.INI");
    EXPECT_STREQ(text, "0.000000") << "written back";

    pty.write("$PTCMP,100.0,2.0,3.0*58\r\n");
    std::this_thread::sleep_for(50ms);
    CompassRecord record{NO_ANGLE, NO_ANGLE, NO_ANGLE};
    ReadCompass(&record);
    EXPECT_FLOAT_EQ(+record.heading, 102.5f);
    EXPECT_FLOAT_EQ(+record.pitch, -3.0f);
    EXPECT_FLOAT_EQ(+record.roll, 3.0f);
    CloseCompass();
    rCompassCorrection = rPitchCorrection = rRollCorrection = 0.0f;
    win::scripted::stopListening();
}

struct NavOutputTest : ::testing::Test {
    TempDataRoot root;
    PseudoTerminal pty;
    void SetUp() override { win::scripted::listen(); }
    void TearDown() override
    {
        CloseNavOutput();
        win::scripted::stopListening();
    }
};

TEST_F(NavOutputTest, EchoesThePositionAsGpgll)
{
    pty.linkAs(root.root(), 5);
    WritePrivateProfileStringA("Swath", "OutputComm", "5", "Swath.ini");
    ASSERT_EQ(OpenNavOutput(nullptr), 0);
    SwathReading r{};
    r.lat = -515083333;
    r.lon = 2041666;
    EXPECT_EQ(OutputData(nullptr, &r), 0);
    EXPECT_EQ(pty.read(1s, 33), "$GPGLL,5130.5000,S,00012.2500,E\r\n");
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(NavOutputTest, MissingOutputPortIsSwitchedOff)
{
    std::filesystem::create_symlink(root.root() / "unplugged", root.root() / "dosdevices" / "com6");
    WritePrivateProfileStringA("Swath", "OutputComm", "6", "Swath.ini");
    EXPECT_EQ(OpenNavOutput(nullptr), 1);
    ASSERT_EQ(win::scripted::boxes().size(), 1u);
    EXPECT_EQ(win::scripted::boxes()[0].text, "Failed opening \"COM6\" for Nav Output\n Port Not Found");
    EXPECT_EQ(GetPrivateProfileIntA("Swath", "OutputComm", -1, "Swath.ini"), 0u);
    SwathReading r{};
    EXPECT_EQ(OutputData(nullptr, &r), 1);
}

} // namespace
