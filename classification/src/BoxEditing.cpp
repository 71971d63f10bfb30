// Editing a box: stepping its voltage limits by 0.025 V within their range, and its list of seabed
// type names (adding, deleting, naming the current class after one).
#include "BoxNames.h"
#include "classification/BoxFile.h"
#include "platform/messages.h"

#include <cstring>

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
