// A survey whose program is killed while saving: the next start-up stores what was recorded.
// The recording runs in a second host process, the same test program with the child test
// selected; this process plays the instruments, kills it and starts the database again.
#include "ScopedGuards.h"
#include "SurveyHost.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/TrackStore.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "recording/ModuleBinding.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr char CHILD_SWITCH[] = "TIDEVANE_RECORD_UNTIL_KILLED";

TEST(KillWhileSavingChild, RecordsUntilKilled)
{
    if (!std::getenv(CHILD_SWITCH))
        GTEST_SKIP() << "run by KillWhileSaving in a process of its own";
    ScopedMessageListening listening;
    ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32d"));
    ASSERT_GE(BindTrackData(nullptr), 0);
    ASSERT_TRUE(StartSwathModule(nullptr));
    win::scripted::queueAnswer(IDYES);
    StartSaving(nullptr);
    // Tells how many points the current track holds after each poll: all of them must survive.
    for (;;) {
        PollModule(1);
        int64_t points = 0;
        for (int slot = 0; slot < BEAM_SLOTS; ++slot)
            points += std::max<int64_t>(0, win::fileSize(db::CurrentTrackPath(slot, db::CurrentFile::Points).c_str())) /
                      int64_t(sizeof(TrackPoint));
        std::printf("recorded %lld\n", static_cast<long long>(points));
        std::fflush(stdout);
    }
}

TEST(KillWhileSaving, TheNextStartUpStoresTheInterruptedTrack)
{
    TempDataRoot root;
    WriteSurveySettings(root);
    Simulator simulator(root);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(CHILD_SWITCH, "1");
    child.setProcessEnvironment(environment);
    child.start(QString::fromStdString(win::programFolder() + "/module_test"),
                {"--gtest_filter=KillWhileSavingChild.*"});
    long long recorded = 0;
    while (recorded < 20 && child.waitForReadyRead(15000))
        while (child.canReadLine())
            std::sscanf(child.readLine().constData(), "recorded %lld", &recorded);
    ASSERT_GE(recorded, 20) << "the recording host did not record";
    child.kill();
    ASSERT_TRUE(child.waitForFinished(5000));

    {
        ScopedMessageListening listening;
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
    }
    // Every slot that recorded is a stored track now, and the current track is empty again.
    int64_t entries = win::fileSize("c:\\varnel\\database\\ovl00001\\tracks.inf") / 42;
    ASSERT_GE(entries, 2);
    int64_t points = 0;
    for (uint32_t handle = 2; handle <= uint32_t(entries); ++handle) {
        TrackInfo info{};
        info.handle = handle;
        TrackPoint buffer[TRACK_BLOCK_POINTS];
        TrackBlock block{buffer, 0, 0};
        ASSERT_EQ(DBReadTrackDataBlock(&info, &block, "database"), 1);
        points += block.count;
    }
    EXPECT_GE(points, recorded);
    EXPECT_LE(win::fileSize("c:\\varnel\\database\\ovl00001\\trk00001.dat"), 0);
}

} // namespace
