// The module's own settings in "Swath.ini": the unit's (section "Swath") and the automatic
// pinging and raw-data display (section "Surface"), and the block the set-up dialogs edit.
#pragma once

#include "records/TrackRecords.h"

#include <cstdint>

struct UnitSettings {
    int32_t ExtControl = 1;
    int32_t PldDigitalBoard = 1;
    int32_t Pri_ms = 500;
    int32_t TxPulseWidth_us = 100;
    int32_t Verbose = 0;
    int32_t setupWaitMs = 0; // not loaded or saved
    int32_t HpControl = 0;
    int32_t flags = 0;       // bit 0: HP control is available
};
constexpr int32_t HP_CONTROL_AVAILABLE = 1;

struct SurfaceSettings {
    int32_t ShowRawData = 0;
    int32_t AutoPing = 0;
    int32_t Scanning = 0;
    int32_t PingTime = 0;      // process clock of the last automatic ping, ms
    double pingInterval = 0.2; // seconds, never below 0.2
};
constexpr double MIN_PING_INTERVAL = 0.2;

constexpr char SWATH_INI[] = "Swath.ini";

// Reads the keys (absent ones keep the values given).
void LoadUnitSettings(UnitSettings& unit);
void LoadSurfaceSettings(SurfaceSettings& surface);
// Error words: a bit per key whose write failed (Surface: AutoPing 1, Scanning 2,
// ShowRawData 4, PingInterval_ms 8, PingTime 16; Swath: in the order the keys are written).
int32_t SaveUnitSettings(const UnitSettings& unit);
int32_t SaveSurfaceSettings(const SurfaceSettings& surface);

// What the set-up dialog edits: copies, taken over by the module on OK.
struct SetupBlock {
    UnitSettings unit;
    TrackStatus* trackStatus;
    SurfaceSettings surface;
    SwathReading reading; // its transducer is the selected one
    int32_t* savingJustStarted;
    TrackInfo* currentTrackInfos;
    TrackInfo* pastTrackInfo;
};
