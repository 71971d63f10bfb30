// The real program, started twice on one data root: the second copy is refused and the first
// goes on. The first starts on a data root that does not exist yet, as a newcomer's would.
#include "platform/system.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>

namespace {

QString programPath()
{
    return QString::fromStdString(win::programFolder() + "/tidevane");
}

bool lockHeld(const std::filesystem::path& lockFile)
{
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return held;
}

} // namespace

TEST(SecondInstance, IsRefusedAndLeavesTheFirstRunning)
{
    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const std::filesystem::path home = std::filesystem::path(scratch.path().toStdString()) / "new-home";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TIDEVANE_HOME", QString::fromStdString(home.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess first;
    first.setProcessEnvironment(env);
    first.start(programPath(), {"--startup-wait", "0"});
    ASSERT_TRUE(first.waitForStarted());
    const auto lockFile = home / "VarnelMutex.lock";
    while (!lockHeld(lockFile))
        ASSERT_FALSE(first.waitForFinished(50)) << first.readAllStandardError().toStdString();

    QProcess second;
    second.setProcessEnvironment(env);
    second.start(programPath(), {"--startup-wait", "0"});
    ASSERT_TRUE(second.waitForFinished(120000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_NE(second.readAllStandardError().indexOf("Error: A Varnel program is already running"), -1);

    EXPECT_EQ(first.state(), QProcess::Running);
    first.terminate();
    first.waitForFinished();
}
