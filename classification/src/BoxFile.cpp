#include "BoxNames.h"
#include "classification/BoxFile.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/winuser.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

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

// A bound that is no number, or a range that is empty, reversed or wider than a float holds,
// would have the classification divide by zero or turn NaN into a cell number.
bool usableRange(float low, float high)
{
    float span = high - low;
    return std::isfinite(span) && span > 0;
}

int refuseDamagedFile()
{
    MessageBeep(MB_ICONHAND);
    MessageBoxA(nullptr, "Error reading boxfile", "Varnel system manager", MB_ICONSTOP);
    return 0;
}

} // namespace

int LoadBoxFile(const char* path, HWND windowToRepaint, BoxFile* record, int keepSetting)
{
    File file(win::fopenRegular(path));
    if (!file && errno != EINVAL) {
        std::string folder = win::CurrentDirectory();
        char text[600];
        std::snprintf(text, sizeof text, "Failed opening boxfile \"%s\" from \"%s\"", path,
                      folder.empty() ? "???" : folder.substr(0, 200).c_str());
        TRACE_HOOK(text);
        return 0;
    }
    // A pipe or device in the file's place is no box file.
    if (!file || win::fileSize(path) != BOX_FILE_BYTES)
        return refuseDamagedFile();
    BoxFileDisk disk;
    if (std::fread(&disk, sizeof disk, 1, file.get()) != 1) {
        TRACE_HOOK("Failed reading boxfile");
        return 0;
    }
    if (!usableRange(disk.e1Min, disk.e1Max) || !usableRange(disk.e2Min, disk.e2Max))
        return refuseDamagedFile();
    std::string name = namePart(path);
    if (!keepSetting)
        SaveCurrentBoxFile(name.c_str());
    setSlotName(name.c_str());
    if (windowToRepaint)
        InvalidateRect(windowToRepaint, nullptr, TRUE);
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
    // Written whole beside the old file and put in its place only then: a full disk loses
    // neither the edits (still in the record) nor the box file saved before.
    bool readOnly = win::access(path, 0) == 0 && win::access(path, W_OK) != 0;
    win::WholeFile written = readOnly ? win::WholeFile::NotCreated : win::writeWholeFile(path, &disk, sizeof disk);
    int result = 0;
    if (written != win::WholeFile::Written) {
        const char* reason = std::strerror(errno);
        char text[600];
        if (written == win::WholeFile::NotWritten) {
            TRACE_HOOK("Failed writing boxfile");
            std::snprintf(text, sizeof text, "Failed writing boxfile \"%s\": %s. The file on disk is unchanged.",
                          path, reason);
        } else {
            std::snprintf(text, sizeof text, "Failed saving boxfile \"%s\". Is it a read-only file?", path);
        }
        MessageBeep(MB_ICONHAND);
        MessageBoxA(ownerWindow, text, nullptr, MB_ICONSTOP | MB_SYSTEMMODAL);
        result = 5;
    } else {
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
