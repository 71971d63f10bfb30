// The program-wide initialisation run by the main window's creation, and its undoing.
#include "frame/Program.h"
#include "frame/StartupFiles.h"

#include "Artwork.h"

#include "chart/ChartColours.h"
#include "chart/ChartWindow.h"
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/Import.h"
#include "euro32/euro32.h"
#include "frame/Inifile.h"
#include "platform/messages.h"
#include "recording/ModuleBinding.h"
#include "recording/SwathGeometry.h"

#include <cstring>

namespace {

// The program font: the system font as the program draws its texts.
QFont* programFont = nullptr;

} // namespace

int InitialiseVarnel(HWND mainWindow)
{
    if (!LoadSwathModule(mainWindow, programOptions.module.c_str()))
        return 0;
    if (BindTrackData(mainWindow) < 0) {
        UnloadSwathModule();
        return 0;
    }
    ReadStartupFiles(hSwath.GetTrackHeading != nullptr, hSwath.GetTrackKnots != nullptr);
    db::SetDriveLetter(databaseDrive);
    LoadBeamAngles();

    DBInitialiseDatabase(databaseDrive);
    DBImportSymbols();
    DBImportTexts();
    DBImportPolygons();

    if (!LoadChartSymbolBitmap())
        MessageBoxA(mainWindow, "Failed loading chart symbol bitmap", "InitialiseVarnel", MB_ICONHAND);
    programFont = new QFont(ProgramFont());

    CreateChartPalette(mainWindow);
    std::snprintf(szChartDirectory, sizeof szChartDirectory, "%s", "C:\\charts\\live_b");
    RegisterChartCallbacks();
    CheckDisplayCapabilities(mainWindow);
    EC_ChartSetOption(1, 1, 0);
    EC_ChartSetOption(2, 1, 0);

    LoadStartupBoxFile();
    InstallStoredTrackReanalysis();
    LoadDepthColours();
    LoadDepthDisplaySettings();
    return 1;
}

void DeleteGlobalObjects()
{
    delete programFont;
    programFont = nullptr;
    ReleaseChartSymbolBitmap();
    DeleteChartPens();
    if (hSwath.handle) {
        UnloadSwathModule();
        OutputDebugStringA("DeleteGlobalObjects(): FreeLibrary(hSwath): Returned OK\n");
    }
}
