#include "acquisition/ModuleSettings.h"

#include "platform/profile.h"

#include <cerrno>
#include <cmath>
#include <iterator>
#include <cstdio>

namespace {

void readInt(const char* section, const char* key, int32_t& value)
{
    value = static_cast<int32_t>(GetPrivateProfileIntA(section, key, value, SWATH_INI));
}

// A failed write counts unless the file was not there to write.
bool writeFailed(const char* section, const char* key, long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    return !WritePrivateProfileStringA(section, key, text, SWATH_INI) && errno != ENOENT;
}

} // namespace

void LoadUnitSettings(UnitSettings& unit)
{
    readInt("Swath", "ExtControl", unit.ExtControl);
    readInt("Swath", "PldDigitalBoard", unit.PldDigitalBoard);
    readInt("Swath", "HpControl", unit.HpControl);
    readInt("Swath", "Verbose", unit.Verbose);
    readInt("Swath", "Pri_ms", unit.Pri_ms);
    readInt("Swath", "TxPulseWidth_us", unit.TxPulseWidth_us);
}

void LoadSurfaceSettings(SurfaceSettings& surface)
{
    readInt("Surface", "AutoPing", surface.AutoPing);
    readInt("Surface", "Scanning", surface.Scanning);
    readInt("Surface", "ShowRawData", surface.ShowRawData);
    int32_t intervalMs = int32_t(surface.pingInterval * 1000);
    readInt("Surface", "PingInterval_ms", intervalMs);
    surface.pingInterval = intervalMs / 1000.0;
    if (surface.pingInterval < MIN_PING_INTERVAL)
        surface.pingInterval = MIN_PING_INTERVAL;
    surface.PingTime = 0;
}

int32_t SaveUnitSettings(const UnitSettings& unit)
{
    const struct {
        const char* key;
        int32_t value;
    } keys[] = {{"ExtControl", unit.ExtControl},     {"PldDigitalBoard", unit.PldDigitalBoard},
                {"HpControl", unit.HpControl},       {"Verbose", unit.Verbose},
                {"Pri_ms", unit.Pri_ms},             {"TxPulseWidth_us", unit.TxPulseWidth_us}};
    int32_t errors = 0;
    for (size_t i = 0; i < std::size(keys); ++i)
        if (writeFailed("Swath", keys[i].key, keys[i].value))
            errors |= 1 << i;
    return errors;
}

int32_t SaveSurfaceSettings(const SurfaceSettings& surface)
{
    int32_t errors = 0;
    if (writeFailed("Surface", "AutoPing", surface.AutoPing))
        errors |= 1;
    if (writeFailed("Surface", "Scanning", surface.Scanning))
        errors |= 2;
    if (writeFailed("Surface", "ShowRawData", surface.ShowRawData))
        errors |= 4;
    if (writeFailed("Surface", "PingInterval_ms", std::lround(surface.pingInterval * 1000)))
        errors |= 8;
    if (writeFailed("Surface", "PingTime", surface.PingTime))
        errors |= 16;
    return errors;
}
