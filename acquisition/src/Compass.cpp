// The compass: opening its port and setting the unit up, its checksummed heading, pitch and roll
// sentences read on the navigation thread, and the corrections from the settings added to them.
#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/SounderLink.h"
#include "frame/Inifile.h"
#include "recording/VesselState.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

CompassRecord compassRecord{NO_ANGLE, NO_ANGLE, NO_ANGLE};
// Set when the port opens, on the window's thread, while the navigation reader applies them.
std::atomic<float> rCompassCorrection{0.0f}, rPitchCorrection{0.0f}, rRollCorrection{0.0f};

namespace {

// Opened and closed on the window's thread while the navigation reader reads it.
std::atomic<HANDLE> hCompassPort{INVALID_HANDLE_VALUE};
PortLoss compassLoss;
// The reader publishes a whole record; the hand-off takes a whole one.
std::mutex compassMutex;

constexpr int COMPASS_BUFFER = 64;
char compassSentence[COMPASS_BUFFER + 1];
int compassLength = 0;

bool parseCompassSentence(CompassRecord* record)
{
    unsigned char sum = 0;
    const char* p = compassSentence + 1;
    for (int n = 0; *p && *p != '*' && n < 70; ++p, ++n)
        sum ^= static_cast<unsigned char>(*p);
    unsigned given = 0;
    if (*p != '*' || std::sscanf(p + 1, "%x", &given) != 1 || (given & 0xff) != sum)
        return false;
    float values[3];
    if (compassLength < 8 || std::sscanf(compassSentence + 7, "%f,%f,%f", &values[0], &values[1], &values[2]) != 3)
        return false;
    record->heading = values[0] + rCompassCorrection;
    record->pitch = -(values[1] + rPitchCorrection);
    record->roll = values[2] + rRollCorrection;
    return true;
}

void compassBox(const char* format, const char* name, const char* caption)
{
    char text[200];
    std::snprintf(text, sizeof text, format, name);
    PortErrorBox(text, caption);
}

} // namespace

bool FeedCompassBytes(const char* bytes, int count, CompassRecord* record)
{
    bool taken = false;
    for (int i = 0; i < count; ++i) {
        char c = bytes[i];
        if (c == '$')
            compassLength = 0;
        if (compassLength >= COMPASS_BUFFER - 1)
            compassLength = 0;
        compassSentence[compassLength++] = c;
        compassSentence[compassLength] = 0;
        if (compassSentence[0] == '$' && c == '\r') {
            if (parseCompassSentence(record))
                taken = true;
            compassLength = 0;
        }
    }
    return taken;
}

void ReadCompass(CompassRecord* record)
{
    HANDLE port = hCompassPort;
    if (port == INVALID_HANDLE_VALUE || compassLoss.lost())
        return;
    char bytes[50];
    DWORD read = 0;
    if (!ReadFile(port, bytes, sizeof bytes, &read, nullptr) && compassLoss.check())
        return;
    CompassRecord fresh = *record; // only this thread writes it
    if (FeedCompassBytes(bytes, int(read), &fresh)) {
        {
            std::lock_guard lock(compassMutex);
            *record = fresh;
        }
        PurgeComm(port, PURGE_RXCLEAR);
    }
}

CompassRecord CurrentCompass(const CompassRecord& record)
{
    std::lock_guard lock(compassMutex);
    return record;
}

int OpenCompass(HWND)
{
    char name[256] = "";
    GetVarnelProfileString("Compass", "Port", name);
    name[6] = 0; // a device name of at most six characters
    uint32_t baud = 9600;
    LoadBaud(&baud, "Compass");
    HANDLE port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        compassBox("Failed opening Compass Port %s", name, "OpenComm");
        return 0;
    }
    // The compass is read on the navigation thread at every fix: it must never block there.
    SounderSetNonBlocking(port);
    int result = ConfigureSerialPort(port, name, baud, false);
    if (result == 1) {
        compassBox("Failed building %s DCB", name, "BuildCommDCB");
        CloseHandle(port);
        return 1;
    }
    if (result == 2)
        PortErrorBox("Failed setting 4 state", "SetCommState");
    compassLength = 0;
    compassLoss.opened(std::string("Compass Port ") + name);
    hCompassPort = port;
    // The corrections in the settings apply from the first reading on.
    ConfigureCompass();
    return 0;
}

void CloseCompass()
{
    if (HANDLE port = hCompassPort.exchange(INVALID_HANDLE_VALUE); port != INVALID_HANDLE_VALUE)
        CloseHandle(port);
}

void ConfigureCompass()
{
    auto correction = [](const char* key, std::atomic<float>& value) {
        char text[256];
        std::snprintf(text, sizeof text, "%f", double(value.load()));
        GetVarnelProfileString("Compass", key, text);
        value = std::strtof(text, nullptr);
        std::snprintf(text, sizeof text, "%f", double(value.load()));
        WriteVarnelProfileString("Compass", key, text);
    };
    correction("Correction", rCompassCorrection);
    correction("RollCorrection", rRollCorrection);
    correction("PitchCorrection", rPitchCorrection);
    HANDLE port = hCompassPort;
    if (port == INVALID_HANDLE_VALUE)
        return;
    for (const char* command : {"echo off\r", "auto on\r", "nmea d\r", "refresh 0.1\r", "go\r"}) {
        DWORD length = DWORD(std::strlen(command)), written = 0;
        if (!WriteFile(port, command, length, &written, nullptr) || written < length) {
            DWORD errors = 0;
            COMSTAT status{};
            ClearCommError(port, &errors, &status);
        }
    }
}
