// The demo survey's replay files played by the real replay module, polled as the chart timer
// polls it: readings of every transducer arrive over the demo area's water, classified by the
// demo box into its seabed classes.
#include "TempDataRoot.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/system.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "replay/ReplayFlags.h"
#include "seabed/seabedmodel.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Three scans of the unit, -3 to +3.
constexpr size_t READINGS = 21;

class DemoSurveyReplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        win::scripted::listen();
        TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", "[Files]\nCurrentRawLog=nul\n");
        bStop = 1;
        bPause = bStep = bFast = bRewind = bReverse = 0;
        ctReplayInterval = 1;
    }
    void TearDown() override
    {
        bStop = 1;
        ctReplayInterval = 200;
        win::scripted::stopListening();
    }

    void RunDemoSurvey()
    {
        QProcess demosurvey;
        demosurvey.start(QString::fromStdString(win::programFolder() + "/demosurvey"), {});
        ASSERT_TRUE(demosurvey.waitForStarted(5000)) << "demosurvey is built beside this test";
        ASSERT_TRUE(demosurvey.waitForFinished(60000));
        ASSERT_EQ(demosurvey.exitCode(), 0) << demosurvey.readAllStandardError().toStdString();
    }

    TempDataRoot root;
};

TEST_F(DemoSurveyReplay, ReadingsOfEveryTransducerArriveOverTheWater)
{
    RunDemoSurvey();
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    BoxFile box;
    ASSERT_EQ(LoadBoxFile("c:\\varnel\\BoxFiles\\demo.box", nullptr, &box, 1), 1);

    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32r"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    bStop = 0;
    std::vector<SwathReading> readings;
    SwathReading reading = UnpositionedReading();
    for (int waited = 0; waited < 30000 && readings.size() < READINGS; waited += 2) {
        if (PollTrackData(nullptr, &reading) & 2)
            readings.push_back(reading);
        win::waitProcessingEvents(2);
    }
    bStop = 1;
    StopSwathModule(nullptr, 0);
    UnloadSwathModule();

    ASSERT_EQ(readings.size(), READINGS);
    std::set<int> transducers;
    for (SwathReading r : readings) {
        const double lat = r.lat * 1e-7, lon = r.lon * 1e-7;
        EXPECT_TRUE(lat > seabed::kSouth && lat < seabed::kNorth && lon > seabed::kWest && lon < seabed::kEast)
            << lat << " " << lon;
        EXPECT_GT(seabed::depthAt(lat, lon), 0.0) << lat << " " << lon;
        EXPECT_GT(r.depth, 0.0f);
        EXPECT_EQ(ClassifyReading(&box, &r), 0) << r.e1 << " " << r.e2;
        EXPECT_NE(r.colour, COLOUR_UNCLASSIFIED) << r.e1 << " " << r.e2;
        transducers.insert(r.transducer);
    }
    EXPECT_EQ(transducers, (std::set<int>{-3, -2, -1, 0, 1, 2, 3}));
    EXPECT_TRUE(win::scripted::boxes().empty()) << win::scripted::boxes().front().text;
}

} // namespace
