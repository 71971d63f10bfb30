// What a survey run of the host needs: the instrument simulator on pseudo-terminals, linked as
// COM1 (GPS), COM2 (compass) and COM3 (swath unit) of a data root, the settings of the run, and
// the chart timer's polling of the module.
#pragma once

#include "TempDataRoot.h"
#include "platform/gui.h"
#include "platform/system.h"
#include "recording/RecordingControl.h"

#include <QProcess>

#include <filesystem>
#include <map>
#include <string>

class Simulator {
public:
    explicit Simulator(const TempDataRoot& root)
    {
        process_.start(QString::fromStdString(win::programFolder() + "/swathsim"),
                       {"--seed", "7", "--speed", "4", "--duration", "120"});
        // It names its devices, one line each, then says "ready".
        std::map<std::string, std::string> devices;
        bool ready = false;
        while (!ready && (process_.canReadLine() || process_.waitForReadyRead(10000))) {
            while (!ready && process_.canReadLine()) {
                std::string line = process_.readLine().trimmed().toStdString();
                ready = line == "ready";
                auto space = line.find(' ');
                if (!ready && space != std::string::npos)
                    devices[line.substr(0, space)] = line.substr(space + 1);
            }
        }
        const std::pair<const char*, const char*> ports[] = {{"gps", "com1"}, {"compass", "com2"}, {"sounder", "com3"}};
        for (auto [instrument, com] : ports)
            std::filesystem::create_symlink(devices.at(instrument), root.root() / "dosdevices" / com);
    }
    ~Simulator()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};

// Compass on COM2, no raw log, automatic pings scanning every 200 ms.
inline void WriteSurveySettings(const TempDataRoot& root)
{
    TempDataRoot::writeFile(root.windowsDir() / "VARNEL.INI", "[Compass]\nPort=COM2\n[Files]\nCurrentRawLog=nul\n");
    TempDataRoot::writeFile(root.windowsDir() / "Swath.ini", "[Surface]\nAutoPing=1\nScanning=1\nPingInterval_ms=200\n");
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
