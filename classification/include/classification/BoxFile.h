// Box files: the classification of E1/E2 readings into seabed classes over a 32 x 32 grid,
// the two box-file slots, and the rules the box editor's dialogs follow.
#pragma once

#include "platform/windef.h"
#include "records/TrackRecords.h"

#include <cstdint>

constexpr int BOX_CELLS = 32;
constexpr int BOX_CLASSES = 32;
constexpr int BOX_TYPE_NAMES = 100;
constexpr int BOX_NAME_SIZE = 20;
constexpr int BOX_FILE_BYTES = 4716;
constexpr float BOX_VOLTS_MAX = 4.095f;

struct BoxFile {
    HWND ownerWindow;
    float e2Max;
    float e1Max;
    float e2Min;
    float e1Min;
    uint16_t currentClass;
    char classNames[BOX_CLASSES][BOX_NAME_SIZE];
    uint16_t grid[BOX_CELLS][BOX_CELLS]; // [column][row]
    uint16_t typeCount;
    char typeNames[BOX_TYPE_NAMES][BOX_NAME_SIZE];
    int16_t lastColumn;
    int16_t lastRow;
    int16_t lastClass;
};

// The loaded classification, and the file name of each box-file slot.
extern BoxFile boxFile;
extern char boxFileNames[2][MAX_PATH];

int LoadBoxFile(const char* path, HWND windowToRepaint, BoxFile* record, int keepSetting);
int SaveBoxFile(const char* path, HWND ownerWindow, const BoxFile* record);
// The built-in box, saved as "c:\varnel\BoxFiles\default.box". 0, or 5 when it cannot be saved.
int CreateDefaultBoxFile();
void FillDefaultBox(BoxFile* record);
void SelectBoxFileSlot(int index);
// Start-up: the slots from the settings, then the current slot's box, "default.box", or the
// built-in box.
void LoadStartupBoxFile();
// The "Box1"/"Box2" buttons: selects the slot and loads its box; 1 when it loaded.
int SwitchBoxFileSlot(int index, HWND classificationWindow);

// 0 when the reading lies inside the grid, 1 outside; its class goes into `colour`.
int ClassifyReading(BoxFile* record, TrackPoint* point);
int ClassifyReading(BoxFile* record, SwathReading* point);
extern "C" int SetupTrackPointColour(SwathReading* reading);
// The pixel of a reading in the classification window's grid; (-1, -1) when outside.
POINT BoxToPixel(float e1, float e2, const BoxFile* record, int cellSize);

// One line step of the ranges dialog's spin bars (0.025 V).
void StepBoxMaximum(float& maximum, float minimum, bool up);
void StepBoxMinimum(float& minimum, float maximum, bool up);

// The seabed type list. Adding: 0 added, 1 already present, 2 refused because the list is
// full (after telling the user). A name is cut to 19 characters.
int AddTypeName(BoxFile* record, const char* name);
// Removes entry `index` when there is one; false otherwise.
bool DeleteTypeName(BoxFile* record, int index);
// Names the current class after type name `index`; false when there is no such entry.
bool NameClassFromType(BoxFile* record, int index);
