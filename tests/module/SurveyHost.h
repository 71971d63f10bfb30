// What a survey run of the host needs: the instrument simulator on pseudo-terminals, linked as
// COM1 (GPS), COM2 (compass) and COM3 (swath unit) of a data root, the settings of the run, the
// chart timer's polling of the module, and the process's thread count.
#pragma once

#include "SimulatorProcess.h"
#include "TempDataRoot.h"
#include "platform/gui.h"
#include "platform/system.h"
#include "recording/RecordingControl.h"

#include <filesystem>
#include <string>
#include <thread>

// Started as the simulator's own tests start it (posix_spawn): a child started through Qt
// leaves the thread sanitizer blind to the starting thread's locks.
class Simulator {
public:
    explicit Simulator(const TempDataRoot& root) : process_({"--seed", "7", "--speed", "4", "--duration", "120"})
    {
        const std::pair<const char*, const char*> ports[] = {{"gps", "com1"}, {"compass", "com2"}, {"sounder", "com3"}};
        for (auto [instrument, com] : ports)
            std::filesystem::create_symlink(process_.devices().at(instrument), root.root() / "dosdevices" / com);
    }

private:
    SimulatorProcess process_;
};

// Compass on COM2, no raw log, automatic pings scanning every 200 ms.
inline void WriteSurveySettings(const TempDataRoot& root)
{
    TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", "[Compass]\nPort=COM2\n[Files]\nCurrentRawLog=nul\n");
    TempDataRoot::writeFile(root.windowsDir() / "Swath.ini", "[Surface]\nAutoPing=1\nScanning=1\nPingInterval_ms=200\n");
}

// Threads of this process now. A thread started and ended first brings in the helper thread a
// sanitizer starts with the first thread, so that only the module's threads make a difference.
inline size_t ThreadCount()
{
    static const bool helpersStarted = [] {
        std::thread([] {}).join();
        return true;
    }();
    (void)helpersStarted;
    namespace fs = std::filesystem;
    return size_t(std::distance(fs::directory_iterator("/proc/self/task"), fs::directory_iterator()));
}

// The chart timer's work for a while: poll the module every 200 ms; the readings taken.
inline int PollModule(int ticks)
{
    int readings = 0;
    SwathReading reading = UnpositionedReading();
    for (int i = 0; i < ticks; ++i) {
        if (PollTrackData(nullptr, &reading) & 2)
            ++readings;
        win::waitProcessingEvents(200);
    }
    return readings;
}
