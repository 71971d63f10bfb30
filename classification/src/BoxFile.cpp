#include "classification/BoxFile.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

BoxFile boxFile;
char boxFileNames[2][MAX_PATH] = {"default.box", "default.box"};

namespace {

#pragma pack(push, 1)
struct BoxFileDisk {
    uint16_t reserved;
    float e2Max;
    float e1Max;
    float e2Min;
    float e1Min;
    uint16_t currentClass;
    char classNames[BOX_CLASSES][BOX_NAME_SIZE];
    uint16_t grid[BOX_CELLS][BOX_CELLS];
    uint16_t typeCount;
    char typeNames[BOX_TYPE_NAMES][BOX_NAME_SIZE];
    int16_t lastColumn;
    int16_t lastRow;
    int16_t lastClass;
};
#pragma pack(pop)
static_assert(sizeof(BoxFileDisk) == BOX_FILE_BYTES);
static_assert(offsetof(BoxFileDisk, grid) == 660 && offsetof(BoxFileDisk, typeCount) == 2708);

constexpr char PROGRAM_FOLDER[] = "c:\\varnel";

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

std::string namePart(const char* path)
{
    const char* slash = std::strrchr(path, '\\');
    const char* forward = std::strrchr(path, '/');
    if (!slash || (forward && forward > slash))
        slash = forward;
    return slash ? slash + 1 : path;
}

void setSlotName(const char* name)
{
    std::snprintf(boxFileNames[nBoxFileSlot & 1], MAX_PATH, "%s", name);
}

template <typename From, typename To>
void copyFields(const From& from, To& to)
{
    to.e2Max = from.e2Max;
    to.e1Max = from.e1Max;
    to.e2Min = from.e2Min;
    to.e1Min = from.e1Min;
    to.currentClass = from.currentClass;
    std::memcpy(to.classNames, from.classNames, sizeof to.classNames);
    std::memcpy(to.grid, from.grid, sizeof to.grid);
    to.typeCount = from.typeCount;
    std::memcpy(to.typeNames, from.typeNames, sizeof to.typeNames);
    to.lastColumn = from.lastColumn;
    to.lastRow = from.lastRow;
    to.lastClass = from.lastClass;
}

// The cell of a value along one axis, or -1 outside. A value on the upper bound belongs to the
// last cell: the grid is never read outside its 32 cells.
int cellOf(float value, float low, float high, bool fromHigh)
{
    if (!(value <= high) || !(value >= low) || !(high > low))
        return -1;
    double span = double(high) - double(low);
    double offset = fromHigh ? double(high) - value : value - double(low);
    int cell = int(offset * BOX_CELLS / span);
    return cell < BOX_CELLS ? cell : BOX_CELLS - 1;
}

// At most 19 characters and the terminator: a long name never runs into the next entry.
void copyName(char (&to)[BOX_NAME_SIZE], const char* from)
{
    size_t length = strnlen(from, BOX_NAME_SIZE - 1);
    std::memmove(to, from, length);
    to[length] = 0;
}

} // namespace

int LoadBoxFile(const char* path, HWND, BoxFile* record, int keepSetting)
{
    File file(win::fopen(path, "rb"));
    if (!file) {
        std::string folder = win::CurrentDirectory();
        char text[600];
        std::snprintf(text, sizeof text, "Failed opening boxfile \"%s\" from \"%s\"", path,
                      folder.empty() ? "???" : folder.substr(0, 200).c_str());
        TRACE_HOOK(text);
        return 0;
    }
    if (win::fileSize(path) != BOX_FILE_BYTES) {
        MessageBeep(MB_ICONHAND);
        MessageBoxA(nullptr, "Error reading boxfile", "Varnel system manager", MB_ICONSTOP);
        return 0;
    }
    BoxFileDisk disk;
    if (std::fread(&disk, sizeof disk, 1, file.get()) != 1) {
        TRACE_HOOK("Failed reading boxfile");
        return 0;
    }
    std::string name = namePart(path);
    if (!keepSetting)
        SaveCurrentBoxFile(name.c_str());
    setSlotName(name.c_str());
    copyFields(disk, *record);
    // Names read from a file are kept terminated, whatever the file holds.
    for (auto& n : record->classNames)
        n[BOX_NAME_SIZE - 1] = 0;
    for (auto& n : record->typeNames)
        n[BOX_NAME_SIZE - 1] = 0;
    if (record->typeCount > BOX_TYPE_NAMES)
        record->typeCount = BOX_TYPE_NAMES;
    record->ownerWindow = nullptr;
    return 1;
}

int SaveBoxFile(const char* path, HWND ownerWindow, const BoxFile* record)
{
    BoxFileDisk disk{};
    copyFields(*record, disk);
    File file(win::fopen(path, "wb"));
    int result = 0;
    if (!file) {
        char text[400];
        std::snprintf(text, sizeof text, "Failed saving boxfile \"%s\". Is it a read-only file?", path);
        MessageBeep(MB_ICONHAND);
        MessageBoxA(ownerWindow, text, nullptr, MB_ICONSTOP | MB_SYSTEMMODAL);
        result = 5;
    } else {
        if (std::fwrite(&disk, sizeof disk, 1, file.get()) != 1 || std::fflush(file.get()) != 0)
            TRACE_HOOK("Failed writing boxfile");
        SaveCurrentBoxFile(path);
        setSlotName(path);
    }
    win::SetCurrentDirectory(PROGRAM_FOLDER);
    return result;
}

void FillDefaultBox(BoxFile* record)
{
    std::memset(record, 0, sizeof *record);
    record->e2Max = BOX_VOLTS_MAX;
    record->e1Max = BOX_VOLTS_MAX;
    for (auto& n : record->classNames)
        copyName(n, "(?)");
    for (auto& column : record->grid)
        for (auto& cell : column)
            cell = COLOUR_UNCLASSIFIED;
    record->typeCount = 3;
    copyName(record->typeNames[0], "Sand");
    copyName(record->typeNames[1], "Mud");
    copyName(record->typeNames[2], "Fine Sand");
}

int CreateDefaultBoxFile()
{
    FillDefaultBox(&boxFile);
    win::mkdir("c:\\varnel\\BoxFiles");
    if (SaveBoxFile("c:\\varnel\\BoxFiles\\default.box", nullptr, &boxFile) != 0)
        return 5;
    SaveCurrentBoxFile("default.box");
    setSlotName("default.box");
    return 0;
}

void SelectBoxFileSlot(int index)
{
    nBoxFileSlot = index & 1;
    SaveBoxFileIndex(nBoxFileSlot);
}

void LoadStartupBoxFile()
{
    for (int slot : {0, 1}) {
        nBoxFileSlot = slot;
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%s", boxFileNames[slot]);
        if (GetCurrentBoxFile(name))
            std::snprintf(boxFileNames[slot], MAX_PATH, "%s", name);
        else
            TRACE_HOOK("Failed reading ini file");
    }
    // A first start writes slot 0, the default, not the slot the names were last read for.
    int32_t index = 0;
    LoadBoxFileIndex(&index);
    nBoxFileSlot = index & 1;
    std::string path = std::string("c:\\varnel\\BoxFiles\\") + boxFileNames[nBoxFileSlot];
    if (LoadBoxFile(path.c_str(), nullptr, &boxFile, 0))
        return;
    if (LoadBoxFile("c:\\varnel\\BoxFiles\\default.box", nullptr, &boxFile, 0))
        return;
    TRACE_HOOK("Failed reading boxfile");
    CreateDefaultBoxFile();
}

int SwitchBoxFileSlot(int index, HWND classificationWindow)
{
    SelectBoxFileSlot(index);
    char path[3 * MAX_PATH];
    std::snprintf(path, sizeof path, "%s\\%s\\%s", PROGRAM_FOLDER, "BoxFiles", boxFileNames[nBoxFileSlot]);
    return LoadBoxFile(path, classificationWindow, &boxFile, 0);
}

namespace {

// Both point records hold e1, e2 and colour at the same places.
int classify(BoxFile* record, float e1, float e2, int16_t& colour)
{
    int row = cellOf(e1, record->e1Min, record->e1Max, true);
    int column = row < 0 ? -1 : cellOf(e2, record->e2Min, record->e2Max, false);
    if (row < 0 || column < 0) {
        record->lastColumn = -1;
        record->lastClass = -1;
        colour = COLOUR_UNCLASSIFIED;
        return 1;
    }
    record->lastColumn = int16_t(column);
    record->lastRow = int16_t(row);
    record->lastClass = int16_t(record->grid[column][row]);
    colour = record->lastClass;
    return 0;
}

} // namespace

int ClassifyReading(BoxFile* record, TrackPoint* point) { return classify(record, point->e1, point->e2, point->colour); }
int ClassifyReading(BoxFile* record, SwathReading* point) { return classify(record, point->e1, point->e2, point->colour); }

extern "C" int SetupTrackPointColour(SwathReading* reading) { return ClassifyReading(&boxFile, reading); }

POINT BoxToPixel(float e1, float e2, const BoxFile* r, int cellSize)
{
    if (!(e2 >= r->e2Min && e2 <= r->e2Max && e1 >= r->e1Min && e1 <= r->e1Max) || !(r->e2Max > r->e2Min) ||
        !(r->e1Max > r->e1Min))
        return POINT{-1, -1};
    int size = BOX_CELLS * cellSize;
    LONG x = LONG((e2 - r->e2Min) / (r->e2Max - r->e2Min) * size);
    LONG y = size - LONG((e1 - r->e1Min) / (r->e1Max - r->e1Min) * size);
    return POINT{x, y};
}

void StepBoxMaximum(float& maximum, float minimum, bool up)
{
    if (up)
        maximum = maximum <= 4.07f ? maximum + 0.025f : BOX_VOLTS_MAX;
    else if (minimum + 0.05f <= maximum)
        maximum -= 0.025f;
}

void StepBoxMinimum(float& minimum, float maximum, bool up)
{
    if (!up)
        minimum = minimum >= 0.025f ? minimum - 0.025f : 0.0f;
    else if (maximum - 0.05f >= minimum)
        minimum += 0.025f;
}

int AddTypeName(BoxFile* record, const char* name)
{
    char cut[BOX_NAME_SIZE];
    copyName(cut, name);
    for (int i = 0; i < record->typeCount; ++i)
        if (std::strcmp(record->typeNames[i], cut) == 0)
            return 1;
    if (record->typeCount >= BOX_TYPE_NAMES) {
        MessageBoxA(nullptr, "The Seabed type list is full", "Varnel System Manager", MB_ICONINFORMATION);
        return 2;
    }
    copyName(record->typeNames[record->typeCount++], cut);
    return 0;
}

bool DeleteTypeName(BoxFile* record, int index)
{
    if (index < 0 || index >= record->typeCount)
        return false;
    for (int i = index; i + 1 < record->typeCount; ++i)
        std::memcpy(record->typeNames[i], record->typeNames[i + 1], BOX_NAME_SIZE);
    --record->typeCount;
    std::memset(record->typeNames[record->typeCount], 0, BOX_NAME_SIZE);
    return true;
}

bool NameClassFromType(BoxFile* record, int index)
{
    if (index < 0 || index >= record->typeCount || record->currentClass >= BOX_CLASSES)
        return false;
    copyName(record->classNames[record->currentClass], record->typeNames[index]);
    return true;
}
