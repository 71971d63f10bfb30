// The classification window's two modes: entering and leaving the box editor, and the window's
// position in each mode.
#include "SedrixState.h"

#include "classification/BoxDialogs.h"
#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <algorithm>
#include <cstring>

namespace {

const char* positionSection(bool edit) { return edit ? "SedrixWndEdit" : "SedrixWnd"; }

// A stored position too far off the screen's top or left, or too near its bottom or right edge,
// gives way to the default.
bool usablePosition(const RECT& r)
{
    const ScreenMetrics& m = screenMetrics;
    return r.left != PROFILE_ABSENT && r.top >= -50 && r.top <= m.H - 20 && r.left >= -50 && r.left <= m.W - 20;
}

float limitVolts(float value) { return std::clamp(value, 0.0f, 5.0f); }

} // namespace

void PlaceSedrixWindow()
{
    const SedrixGeometry g = CurrentGeometry();
    RECT r;
    if (!LoadPosition(&r, positionSection(sedrix.editMode)) || !usablePosition(r)) {
        GetDefaultWindowRect(sedrix.editMode ? SEDRIXWNDEDIT : SEDRIXWND, &r);
        // The default is made for the grid alone; the whole window stays on the screen.
        const ScreenMetrics& m = screenMetrics;
        r.left = std::max(0, std::min<int>(r.left, m.W - g.width));
        r.top = std::max(0, std::min<int>(r.top, m.H - g.height));
    }
    MoveWindow(sedrix.window, r.left, r.top, g.width, g.height, TRUE);
    if (sedrix.grid)
        MoveWindow(sedrix.grid, g.grid.left(), g.grid.top(), g.grid.width(), g.grid.height(), TRUE);
}

void SaveSedrixPosition()
{
    RECT r;
    if (GetWindowRect(sedrix.window, &r) && r.right > r.left)
        SavePosition(&r, positionSection(sedrix.editMode));
}

void EnterEditor()
{
    if (sedrix.editMode)
        return;
    SaveSedrixPosition();
    std::memcpy(sedrix.restoreGrid, boxFile.grid, sizeof boxFile.grid);
    sedrix.trail.clear();
    sedrix.modified = false;
    sedrix.dragging = false;
    sedrix.editMode = true;
    sedrix.currentClass = boxFile.currentClass < BOX_CLASSES ? boxFile.currentClass : 0;
    PlaceSedrixWindow();
    CreateModeControls();
    const SedrixGeometry g = EditGeometry();
    sedrix.selection = CreateSelectionWindow(
        sedrix.window, QRect(37 * g.cell, g.grid.top(), g.width - 37 * g.cell - 4, g.grid.height()));
    boxFile.e1Max = limitVolts(boxFile.e1Max);
    boxFile.e1Min = limitVolts(boxFile.e1Min);
    boxFile.e2Max = limitVolts(boxFile.e2Max);
    boxFile.e2Min = limitVolts(boxFile.e2Min);
    ShowBounds();
    RepaintGrid();
    InvalidateRect(sedrix.window, nullptr, TRUE);
}

void AskToSaveChangedBox()
{
    if (sedrix.modified &&
        MessageBoxA(sedrix.window, "Do you want to save the changes\nyou have made?", "Varnel System Manager",
                    MB_YESNO | MB_ICONQUESTION) == IDYES &&
        ChooseAndSaveBoxFile(sedrix.window, &boxFile) == 0)
        sedrix.modified = false;
}

void LeaveEditor()
{
    if (!sedrix.editMode)
        return;
    SaveSedrixPosition();
    AskToSaveChangedBox();
    DestroyEditorControls();
    if (IsWindow(sedrix.selection))
        DestroyWindow(sedrix.selection);
    sedrix.selection = nullptr;
    CloseEditorDialogs();
    sedrix.dragging = false;
    sedrix.editMode = false;
    PlaceSedrixWindow();
    CreateModeControls();
    RepaintGrid();
    InvalidateRect(sedrix.window, nullptr, TRUE);
}
