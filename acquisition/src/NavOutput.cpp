#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/SounderLink.h"
#include "platform/modules.h"
#include "platform/profile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HANDLE hOutputPort = INVALID_HANDLE_VALUE;
PortLoss outputLoss;

void writeOutput(const char* text)
{
    DWORD length = DWORD(std::strlen(text)), written = 0;
    BOOL ok = WriteFile(hOutputPort, text, length, &written, nullptr);
    if (!ok || written < length) {
        DWORD errors = 0;
        COMSTAT status{};
        ClearCommError(hOutputPort, &errors, &status);
        if (!ok)
            outputLoss.check();
    }
}

} // namespace

int OpenNavOutput(HWND)
{
    int port = int(GetPrivateProfileIntA("Swath", "OutputComm", 0, "Swath.ini"));
    if (port == 0)
        return 0;
    WritePrivateProfileStringA("Swath", "OutputComm", std::to_string(port).c_str(), "Swath.ini");
    char name[32];
    std::snprintf(name, sizeof name, "COM%d", port);
    HANDLE handle = CreateFileA(name, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char text[200];
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            std::snprintf(text, sizeof text, "Failed opening \"%s\" for Nav Output\n Port Not Found", name);
            PortErrorBox(text, "OpenComm");
            WritePrivateProfileStringA("Swath", "OutputComm", "0", "Swath.ini");
            return 1;
        }
        std::snprintf(text, sizeof text,
                      error == ERROR_ACCESS_DENIED ? "Failed opening \"%s\" for Nav Output\n Access Denied (Port in use?)"
                                                   : "Failed opening \"%s\" for Nav Output",
                      name);
        PortErrorBox(text, "OpenComm");
        return 1;
    }
    SetupComm(handle, 100, 100);
    SounderSetNonBlocking(handle);
    char definition[48];
    std::snprintf(definition, sizeof definition, "%s:%4d,n,8,1", name, 4800);
    int result = ConfigureSerialPort(handle, definition, 4800, true);
    if (result == 1) {
        std::snprintf(text, sizeof text, "Failed building com%1d DCB", port);
        PortErrorBox(text, "BuildCommDCB");
        CloseHandle(handle);
        return 1;
    }
    if (result == 2) {
        std::snprintf(text, sizeof text, "Failed setting com%1d state", port);
        PortErrorBox(text, "SetCommState");
    }
    outputLoss.opened(std::string(name) + " for Nav Output");
    hOutputPort = handle;
    return 0;
}

void CloseNavOutput()
{
    if (hOutputPort == INVALID_HANDLE_VALUE)
        return;
    if (!CloseHandle(hOutputPort))
        PortErrorBox("Failed closing Output port", "CloseComm");
    hOutputPort = INVALID_HANDLE_VALUE;
}

extern "C" int OutputData(HWND, SwathReading* point)
{
    if (hOutputPort == INVALID_HANDLE_VALUE || outputLoss.lost())
        return hOutputPort == INVALID_HANDLE_VALUE ? 1 : 0;
    auto half = [](int32_t value, char positive, char negative, const char* format, char* out, size_t size) {
        char hemisphere = value < 0 ? negative : positive;
        long long a = value < 0 ? -static_cast<long long>(value) : value;
        long long degrees = a / 10000000;
        double minutes = static_cast<double>(a % 10000000) * 60.0 / 10000000.0;
        std::snprintf(out, size, format, int(degrees), minutes, hemisphere);
    };
    char text[64];
    half(point->lat, 'N', 'S', "$GPGLL,%02d%07.4lf,%c,", text, sizeof text);
    writeOutput(text);
    half(point->lon, 'E', 'W', "%03d%07.4lf,%c\r\n", text, sizeof text);
    writeOutput(text);
    return 0;
}
