#include "frame/Inifile.h"

#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int32_t nBoxFileSlot = 0;

namespace {

bool writeText(const char* section, const char* key, const char* text)
{
    return WritePrivateProfileStringA(section, key, text, VARNEL_INI) != FALSE;
}

// Reads into a buffer of `size` characters; the number of characters read.
DWORD readText(const char* section, const char* key, const char* fallback, char* buffer, DWORD size)
{
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, VARNEL_INI);
}

int32_t readInt(const char* section, const char* key, int32_t fallback)
{
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, fallback, VARNEL_INI));
}

void failedWritingIniFile()
{
    MessageBoxA(nullptr, "Failed writing ini file", nullptr, MB_ICONHAND);
}

// At least a 50 x 50 piece of the window (or all of it, when smaller) must lie on the work
// area of the monitor nearest to it.
bool positionOnScreen(const RECT& rect)
{
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (HMONITOR monitor = MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST);
        monitor && GetMonitorInfoA(monitor, &info))
        work = info.rcWork;
    // 64-bit so that absent keys (-2^31) cannot overflow the sizes.
    const long long width = (long long)rect.right - rect.left;
    const long long height = (long long)rect.bottom - rect.top;
    const long long minWidth = std::min<long long>(50, width);
    const long long minHeight = std::min<long long>(50, height);
    const long long left = std::max<long long>(rect.left, work.left);
    const long long right = std::min<long long>(rect.right, work.right);
    const long long top = std::max<long long>(rect.top, work.top);
    const long long bottom = std::min<long long>(rect.bottom, work.bottom);
    if (right <= left || bottom <= top)
        return false;
    return right - left >= minWidth && bottom - top >= minHeight;
}

int32_t loadOneDigit(const char* key, int32_t* value)
{
    char text[2];
    if (readText("DepthInf", key, "1", text, sizeof text) == 0)
        return 0;
    *value = std::atoi(text);
    return 1;
}

int32_t saveOneDigit(const char* key, int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%1d", value);
    return writeText("DepthInf", key, text) ? 1 : 0;
}

// Through a buffer of `size` characters; the count of the "%f" scan (EOF for empty text).
int32_t scanFloat(const char* section, const char* key, const char* fallback, float* value,
                  DWORD size)
{
    char text[21];
    readText(section, key, fallback, text, std::min<DWORD>(size, sizeof text));
    return std::sscanf(text, "%f", value);
}

int32_t saveFloat(const char* section, const char* key, const char* format, float value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, double(value));
    return writeText(section, key, text) ? 1 : 0;
}

const char* currentBoxFileKey() { return nBoxFileSlot == 1 ? "CurrentBoxfile2" : "CurrentBoxfile"; }

} // namespace

uint32_t GetVarnelProfileInt(const char* section, const char* key, int32_t* value)
{
    int32_t read = readInt(section, key, PROFILE_ABSENT);
    if (read == PROFILE_ABSENT) {
        WriteVarnelProfileInt(section, key, *value);
        return 0;
    }
    if (read == *value)
        return 0;
    *value = read;
    return 1;
}

int32_t GetVarnelProfileFloat(const char* section, const char* key, float* value)
{
    char text[13];
    if (readText(section, key, "", text, sizeof text) == 0) {
        WriteVarnelProfileFloat(section, key, *value);
        return 0;
    }
    // Text that does not start with a number leaves the caller's value alone.
    return std::sscanf(text, "%f", value) == 1 ? 0 : 1;
}

int32_t GetVarnelProfileString(const char* section, const char* key, char* buffer)
{
    char text[256];
    if (readText(section, key, "", text, sizeof text) > 0)
        std::memcpy(buffer, text, std::strlen(text) + 1);
    else
        WriteVarnelProfileString(section, key, buffer);
    return 0;
}

int32_t WriteVarnelProfileString(const char* section, const char* key, const char* text)
{
    return writeText(section, key, text) ? 0 : 1;
}

int32_t WriteVarnelProfileFloat(const char* section, const char* key, float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f", double(value));
    writeText(section, key, text);
    return 0;
}

int32_t WriteVarnelProfileInt(const char* section, const char* key, int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    writeText(section, key, text);
    return 0;
}

int32_t LoadBaud(uint32_t* baud, const char* section)
{
    *baud = GetPrivateProfileIntA(section, "Baud", int(*baud), VARNEL_INI);
    return 0;
}

int32_t SaveBaud(uint32_t baud, const char* section)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", int(baud));
    return writeText(section, "Baud", text) ? 0 : 1;
}

int32_t SavePosition(RECT* rect, const char* section)
{
    const char* keys[] = {"Top", "Left", "Bottom", "Right"};
    const LONG values[] = {rect->top, rect->left, rect->bottom, rect->right};
    bool written = true;
    for (int i = 0; i < 4; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", values[i]);
        written = writeText(section, keys[i], text) && written;
    }
    if (!written)
        return 0;
    if (rect->right == 0 && rect->bottom == 0)
        return 1;
    return positionOnScreen(*rect) ? 1 : 0;
}

int32_t LoadPosition(RECT* rect, const char* section)
{
    RECT r;
    r.top = readInt(section, "Top", PROFILE_ABSENT);
    r.left = readInt(section, "Left", PROFILE_ABSENT);
    r.bottom = readInt(section, "Bottom", PROFILE_ABSENT);
    r.right = readInt(section, "Right", PROFILE_ABSENT);
    bool absent = r.top == PROFILE_ABSENT || r.left == PROFILE_ABSENT ||
                  r.bottom == PROFILE_ABSENT || r.right == PROFILE_ABSENT;
    if (absent || !positionOnScreen(r)) {
        *rect = RECT{PROFILE_ABSENT, 0, 0, 0};
        return 0;
    }
    *rect = r;
    return 1;
}

int32_t SaveStatus(int32_t state, const char* section)
{
    if (writeText(section, "Status", state == 1 ? "On" : "Off"))
        return 1;
    failedWritingIniFile();
    return 0;
}

int32_t LoadStatus(int32_t* state, const char* section)
{
    char text[256];
    readText(section, "Status", "Off", text, sizeof text);
    *state = std::strcmp(text, "Off") == 0 ? 0 : 1;
    return 1;
}

int32_t GetCurrentBoxFile(char* name)
{
    return readText("Files", currentBoxFileKey(), "default.box", name, MAX_PATH) > 0 ? 1 : 0;
}

int32_t SaveCurrentBoxFile(const char* name)
{
    if (writeText("Files", currentBoxFileKey(), name))
        return 1;
    failedWritingIniFile();
    return 0;
}

uint32_t LoadBoxFileIndex(int32_t* index) { return GetVarnelProfileInt("Files", "BoxFileIndex", index); }

int32_t SaveBoxFileIndex(int32_t index)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", index);
    return WriteVarnelProfileString("files", "BoxFileIndex", text);
}

int32_t LoadCurrentChart(char* name)
{
    char text[256];
    if (readText("Files", "CurrentChart", "", text, sizeof text) == 0)
        return 0;
    if (std::sscanf(text, "%255s", name) != 1)
        return 0;
    return 1;
}

int32_t LoadDepthUnits(int32_t* units) { return loadOneDigit("depthunits", units); }
int32_t SaveDepthUnits(int32_t units) { return saveOneDigit("depthunits", units); }
int32_t LoadDepthAutoscale(int32_t* autoscale) { return loadOneDigit("depthautoscale", autoscale); }
int32_t SaveDepthAutoscale(int32_t autoscale) { return saveOneDigit("depthautoscale", autoscale); }

int32_t LoadDepthRange(float* range) { return scanFloat("DepthInf", "depthrange", "20", range, 20) == 1; }
int32_t SaveDepthRange(float range) { return saveFloat("DepthInf", "depthrange", "%4.4f", range); }

int32_t LoadDepthLimits(float* top, float* bottom)
{
    if (scanFloat("DepthInf", "topdepth", "20", top, 20) != 1)
        return 0;
    return scanFloat("DepthInf", "bottomdepth", "40", bottom, 20) == 1;
}

int32_t SaveDepthLimits(float top, float bottom)
{
    if (!saveFloat("DepthInf", "topdepth", "%4.4f", top))
        return 0;
    return saveFloat("DepthInf", "bottomdepth", "%4.4f", bottom);
}

int32_t LoadColourByDepth(float topAndInterval[2])
{
    scanFloat("ColourByDepthInf", "Top", "5", &topAndInterval[0], 10);
    return scanFloat("ColourByDepthInf", "Interval", "1", &topAndInterval[1], 10);
}

int32_t SaveColourByDepth(const float topAndInterval[2])
{
    saveFloat("ColourByDepthInf", "Top", "%7.2f", topAndInterval[0]);
    return saveFloat("ColourByDepthInf", "Interval", "%7.2f", topAndInterval[1]);
}

int32_t LoadNmeaSentences(int32_t* gll, int32_t* gga, int32_t* vtg)
{
    struct {
        const char* key;
        int32_t* value;
        int32_t bit;
    } keys[] = {{"GLL", gll, 2}, {"GGA", gga, 1}, {"VTG", vtg, 4}};
    int32_t missing = 0;
    for (const auto& k : keys) {
        int32_t read = readInt("NMEA0183", k.key, -1);
        if (read == -1)
            missing |= k.bit;
        else if (read >= 0 && k.value)
            *k.value = read;
    }
    return missing;
}

int32_t SaveNmeaSentences(int32_t gll, int32_t gga, int32_t vtg)
{
    struct {
        const char* key;
        int32_t value;
        int32_t bit;
    } keys[] = {{"GLL", gll, 2}, {"GGA", gga, 1}, {"VTG", vtg, 4}};
    int32_t failed = 0;
    for (const auto& k : keys) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", k.value);
        if (!writeText("NMEA0183", k.key, text))
            failed |= k.bit;
    }
    return failed;
}

int32_t SaveLastChartArea(const int32_t* left, const int32_t* top, const int32_t* right,
                          const int32_t* bottom)
{
    const char* keys[] = {"Left", "Top", "Right", "Bottom"};
    const int32_t* values[] = {left, top, right, bottom};
    for (int i = 0; i < 4; ++i) {
        char text[16];
        std::snprintf(text, sizeof text, "%ld", long(*values[i]));
        writeText("LastPos", keys[i], text);
    }
    return 1;
}
