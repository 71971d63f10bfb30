// The navigation output: the $GPGLL echo of the vessel position on its own port.
#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/SounderLink.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/profile.h"
#include "records/GllCoordinates.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The chart timer writes the sentence: a far end that stops reading must not hold it up. A
// sentence gets its time on the wire at 4800 baud (about 2 ms a byte) and some slack; once one
// could not go out whole, the next ones go only where they fit at once, until one does again.
constexpr COMMTIMEOUTS OUTPUT_FLOWING{MAXDWORD, 0, 0, 3, 20};
constexpr COMMTIMEOUTS OUTPUT_STALLED{MAXDWORD, 0, 0, 0, 1};

HANDLE hOutputPort = INVALID_HANDLE_VALUE;
PortLoss outputLoss;
std::string outputName;
bool outputStalled = false;

void writeOutput(const char* text)
{
    DWORD length = DWORD(std::strlen(text)), written = 0;
    BOOL ok = WriteFile(hOutputPort, text, length, &written, nullptr);
    if (!ok || written < length) {
        DWORD errors = 0;
        COMSTAT status{};
        ClearCommError(hOutputPort, &errors, &status);
        if (!ok) {
            outputLoss.check();
            return;
        }
    }
    bool stalled = written < length;
    if (stalled == outputStalled)
        return;
    outputStalled = stalled;
    SetCommTimeouts(hOutputPort, stalled ? &OUTPUT_STALLED : &OUTPUT_FLOWING);
    if (stalled)
        OutputDebugStringA((outputName + " is not being read: positions are dropped\n").c_str());
}

// "ddmm.mmmm,h" for a coordinate in 1e-7 degrees, the degrees in `width` digits.
void printCoordinate(char* out, size_t size, int32_t value, int width, char positive, char negative)
{
    GllCoordinate c = GllCoordinateOf(value);
    std::snprintf(out, size, "%0*u%02u.%04u,%c", width, c.degrees, c.minuteTenThousandths / 10000,
                  c.minuteTenThousandths % 10000, c.negative ? negative : positive);
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
    SetCommTimeouts(handle, &OUTPUT_FLOWING);
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
    outputName = std::string(name) + " for Nav Output";
    outputLoss.opened(outputName);
    outputStalled = false;
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
    char latitude[24], longitude[24], sentence[64];
    printCoordinate(latitude, sizeof latitude, point->lat, 2, 'N', 'S');
    printCoordinate(longitude, sizeof longitude, point->lon, 3, 'E', 'W');
    // One write, so that a sentence that goes out at all mostly goes out whole.
    std::snprintf(sentence, sizeof sentence, "$GPGLL,%s,%s\r\n", latitude, longitude);
    writeOutput(sentence);
    return 0;
}
