// The program's own pictures: the start-up picture and the chart symbol sheet, drawn in code.
#pragma once

#include "platform/windef.h"

#include <QFont>
#include <QImage>

// The picture shown while the program starts.
QImage StartupPicture(QSize size);
bool LoadChartSymbolBitmap();
void ReleaseChartSymbolBitmap();
// The font the program draws its own texts in: the system's general font.
QFont ProgramFont();
// Warns when the display cannot show the track colours.
void CheckDisplayCapabilities(HWND mainWindow);
