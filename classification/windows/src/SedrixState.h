// What the classification window keeps between messages, its geometry in each mode, and the
// handlers its files share.
#pragma once

#include "classification/BoxFile.h"
#include "platform/winuser.h"

#include <QRect>

#include <cstdint>
#include <vector>

class QPainter;

constexpr int TRAIL_MARKS = 13;
constexpr int MARK_HALF = 4; // marks and crosses reach 4 pixels each side of the reading

struct SedrixWindowState {
    HWND window = nullptr;
    HWND chartWindow = nullptr;
    HWND grid = nullptr;      // "SedrixDisplayWnd"
    HWND selection = nullptr; // "SelectionWnd", the editor's
    HWND scalesDialog = nullptr;
    HWND bottomDialog = nullptr;
    HWND deleteTypeDialog = nullptr;
    bool editMode = false;
    bool modified = false;
    bool gridLines = false;
    bool nightScheme = false; // the scheme the class brushes were made for
    int currentClass = 0;
    uint16_t restoreGrid[BOX_CELLS][BOX_CELLS] = {};
    std::vector<POINT> trail;   // grid pixels of the latest readings, oldest first
    std::vector<POINT> crosses; // readings shown while the analysis runs
    bool dragging = false;
    POINT dragFrom{0, 0};
    POINT dragTo{0, 0};
    POINT moveFrom{0, 0}; // caption drag: where the mouse took the window
    bool moving = false;
};
extern SedrixWindowState sedrix;

// Where everything sits in one mode; window pixels, the caption included.
struct SedrixGeometry {
    int cell;
    int caption;
    int line;
    int width;
    int height;
    QRect grid;
};
// The normal mode's footer: "E1", its minimum, a dash, its maximum; the same for E2 from the
// middle on.
constexpr int FOOTER_MIN = 24;
constexpr int FOOTER_DASH = 56;
constexpr int FOOTER_MAX = 70;
constexpr int FOOTER_VALUE = 30;
SedrixGeometry NormalGeometry();
SedrixGeometry EditGeometry();
inline SedrixGeometry CurrentGeometry() { return sedrix.editMode ? EditGeometry() : NormalGeometry(); }

// Controls (SedrixControls.cpp).
void CreateModeControls();
void DestroyEditorControls();
void SetControlText(int id, const char* text);
void ShowBounds();

// Modes and positions (SedrixModes.cpp).
void PlaceSedrixWindow();
void SaveSedrixPosition();
void EnterEditor();
// Asks to save a changed box first.
void LeaveEditor();
// "Do you want to save the changes you have made?" when the box was changed; Yes saves it.
void AskToSaveChangedBox();

// The grid child (SedrixGrid.cpp).
HWND CreateSedrixGrid();
void PlotReading(const TrackPoint& point);
void RepaintGrid();

// The frame's own painting: caption, titles, axes (SedrixFrame.cpp).
void SedrixWnd_OnPaint(HWND window, QPainter& painter);
// The caption drags the window.
void SedrixWnd_OnMouse(HWND window, UINT message, POINT at);

// The editor's buttons that open dialogs and files (SedrixEditorCommands.cpp).
void SedrixEditorCommand(HWND window, int id);
// The dialog that says it is done (lParam of its notification); all the editor opened.
void CloseEditorDialog(HWND dialog);
void CloseEditorDialogs();

// The class list of the editor (SelectionWindow.cpp).
HWND CreateSelectionWindow(HWND owner, QRect rect);

// Brushes follow the day or night scheme in force.
void FollowColourScheme();
