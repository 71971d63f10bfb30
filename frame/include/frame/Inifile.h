// The settings profile "VARNEL.INI": generic typed accessors, window layout, and the keys the
// frame owns. The first ten functions are bound by name by the acquisition module.
#pragma once

#include "platform/windef.h"

#include <cstdint>

// Integer keys holding this value read as missing; a failed LoadPosition leaves it in `left`
// as the request for a default position.
constexpr int32_t PROFILE_ABSENT = static_cast<int32_t>(0x80000000);
constexpr char VARNEL_INI[] = "VARNEL.INI";

extern "C" {
uint32_t GetVarnelProfileInt(const char* section, const char* key, int32_t* value);
int32_t GetVarnelProfileFloat(const char* section, const char* key, float* value);
int32_t GetVarnelProfileString(const char* section, const char* key, char* buffer);
int32_t WriteVarnelProfileString(const char* section, const char* key, const char* text);
int32_t WriteVarnelProfileFloat(const char* section, const char* key, float value);
int32_t LoadBaud(uint32_t* baud, const char* section);
int32_t SavePosition(RECT* rect, const char* section);
int32_t LoadPosition(RECT* rect, const char* section);
int32_t SaveStatus(int32_t state, const char* section);
int32_t LoadStatus(int32_t* state, const char* section);
}

int32_t WriteVarnelProfileInt(const char* section, const char* key, int32_t value);
int32_t SaveBaud(uint32_t baud, const char* section);

// The current box-file slot (0 or 1); the classification switches it, and it decides whether
// "CurrentBoxfile" or "CurrentBoxfile2" is read and written.
extern int32_t nBoxFileSlot;

int32_t GetCurrentBoxFile(char* name /* 260 bytes */);
int32_t SaveCurrentBoxFile(const char* name);
uint32_t LoadBoxFileIndex(int32_t* index);
int32_t SaveBoxFileIndex(int32_t index);
int32_t LoadCurrentChart(char* name /* 256 bytes */);
int32_t LoadDepthUnits(int32_t* units);
int32_t SaveDepthUnits(int32_t units);
int32_t LoadDepthAutoscale(int32_t* autoscale);
int32_t SaveDepthAutoscale(int32_t autoscale);
int32_t LoadDepthRange(float* range);
int32_t SaveDepthRange(float range);
int32_t LoadDepthLimits(float* top, float* bottom);
int32_t SaveDepthLimits(float top, float bottom);
int32_t LoadColourByDepth(float topAndInterval[2]);
int32_t SaveColourByDepth(const float topAndInterval[2]);
// Bits of missing keys (read) or failed writes: 1 GGA, 2 GLL, 4 VTG.
int32_t LoadNmeaSentences(int32_t* gll, int32_t* gga, int32_t* vtg);
int32_t SaveNmeaSentences(int32_t gll, int32_t gga, int32_t vtg);
int32_t SaveLastChartArea(const int32_t* left, const int32_t* top, const int32_t* right,
                          const int32_t* bottom);
