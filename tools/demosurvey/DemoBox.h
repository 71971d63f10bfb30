// The demo box file: one seabed class for each seabed kind of the demo area, over the part of the
// E1/E2 plane where its echoes lie.
#pragma once

#include "classification/BoxFile.h"
#include "seabed/seabedecho.h"

// Where the tool saves it: the program's box-file folder.
inline constexpr const char* DEMO_BOX_PATH = "c:\\varnel\\BoxFiles\\demo.box";

// The class (and colour) number of a seabed kind.
int DemoClass(seabed::SeabedKind kind);
void FillDemoBox(BoxFile* box);
// Saves the box as DEMO_BOX_PATH and makes it the box the program starts with. False after the
// failure was reported.
bool SaveDemoBox(const BoxFile& box);
