// The Track Options dialog's procedure: working copies of the track status and the transducer
// filter, edited by the controls and committed on OK.
#include "OptionSteps.h"
#include "TrackOptionsWidget.h"

#include "trackwin/TrackOptions.h"

#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"
#include "database/CurrentTrack.h"
#include "frame/SedrixToolbar.h"
#include "frame/WindowLayout.h"
#include "platform/messages.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "replay/ReplayFlags.h"

#include <QPointer>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

namespace {

HWND hTrackDialog = nullptr;
HWND hTrackDialogOwner = nullptr;
std::unique_ptr<TrackStatus> ptTrackStatus;
std::unique_ptr<int32_t[]> pafShowTransducer;
int32_t workingPlotDensity = 0;
int32_t savingWhenOpened = 0;

// The fields of the track status this dialog edits; saving and the past track's handle belong
// to the recording and to the track list, which may change them while the dialog is open.
constexpr int EDITED_FIELDS[] = {TS_CURRENT_VISIBLE, TS_CURRENT_BY_CLASS, TS_CURRENT_JOIN,
                                 TS_CURRENT_COLOUR,  TS_CURRENT_PEN_WIDTH, TS_SAVE_RATE,
                                 TS_PAST_VISIBLE,    TS_PAST_BY_CLASS,     TS_PAST_JOIN,
                                 TS_PAST_COLOUR,     TS_PAST_PEN_WIDTH,    TS_OUTLINING,
                                 TS_SHOW_ALL_TRACKS, TS_REDRAW_PENDING};

struct CheckField {
    int id;
    int field;
};
constexpr CheckField CHECK_FIELDS[] = {{IDC_CURRENT_JOIN, TS_CURRENT_JOIN},
                                       {IDC_PAST_VISIBLE, TS_PAST_VISIBLE},
                                       {IDC_PAST_JOIN, TS_PAST_JOIN},
                                       {IDC_OUTLINING, TS_OUTLINING},
                                       {IDC_SHOW_ALL_TRACKS, TS_SHOW_ALL_TRACKS}};

struct ColourGroup {
    const int (&ids)[6];
    int byClassField;
    int choiceField;
};
const ColourGroup CURRENT_COLOURS{CURRENT_COLOUR_BUTTONS, TS_CURRENT_BY_CLASS, TS_CURRENT_COLOUR};
const ColourGroup PAST_COLOURS{PAST_COLOUR_BUTTONS, TS_PAST_BY_CLASS, TS_PAST_COLOUR};

// Transducer box k ("Show -3" + k) shows transducer k - 3, whose beam slot is its low three bits.
int slotOfBox(int k) { return (k - 3) & 7; }

void checkColour(HWND dialog, const ColourGroup& group, int code)
{
    for (int id : group.ids)
        CheckDlgButton(dialog, id, false);
    if (code >= 0)
        CheckDlgButton(dialog, group.ids[code], true);
}

int currentColourButton(const TrackStatus& s)
{
    if (s.field[TS_CURRENT_BY_CLASS])
        return 4;
    const int choice = s.field[TS_CURRENT_COLOUR];
    return choice >= 0 && choice <= 3 ? choice : 5;
}

// -1: none, as for a past track coloured by class with the value 2.
int pastColourButton(const TrackStatus& s)
{
    if (s.field[TS_PAST_BY_CLASS] == 1)
        return 4;
    if (s.field[TS_PAST_BY_CLASS] != 0)
        return -1;
    const int choice = s.field[TS_PAST_COLOUR];
    return choice >= 0 && choice <= 3 ? choice : 5;
}

void writeTexts(HWND dialog)
{
    const TrackStatus& s = *ptTrackStatus;
    char text[32];
    std::snprintf(text, sizeof text, "%3d", s.field[TS_SAVE_RATE]);
    SetDlgItemText(dialog, IDC_SAVE_EVERY, text);
    std::snprintf(text, sizeof text, "%spoint", SaveRateSuffix(s.field[TS_SAVE_RATE]));
    SetDlgItemText(dialog, IDC_SAVE_EVERY_UNIT, text);
    std::snprintf(text, sizeof text, "%2d", s.field[TS_CURRENT_PEN_WIDTH]);
    SetDlgItemText(dialog, IDC_CURRENT_PEN, text);
    std::snprintf(text, sizeof text, "%2d", s.field[TS_PAST_PEN_WIDTH]);
    SetDlgItemText(dialog, IDC_PAST_PEN, text);
    std::snprintf(text, sizeof text, "%2d", workingPlotDensity);
    SetDlgItemText(dialog, IDC_DENSITY, text);
}

int32_t flagValue(const std::atomic<int32_t>* flag) { return flag ? flag->load() : 0; }

void onInitDialog(HWND dialog)
{
    const TrackStatus& s = *ptTrackStatus;
    CheckDlgButton(dialog, IDC_STOP_AT_EOF, flagValue(hSwath.pfStopReplayAtEOF));
    CheckDlgButton(dialog, IDC_ERASE_ON_REPEAT, flagValue(hSwath.pfEraseOnRepeat));
    // A module without replay has no such options to set.
    if (auto* box = DlgItem(dialog, IDC_STOP_AT_EOF))
        box->setEnabled(hSwath.pfStopReplayAtEOF != nullptr);
    if (auto* box = DlgItem(dialog, IDC_ERASE_ON_REPEAT))
        box->setEnabled(hSwath.pfEraseOnRepeat != nullptr);
    CheckDlgButton(dialog, IDC_CURRENT_VISIBLE, s.field[TS_CURRENT_VISIBLE]);
    for (const CheckField& check : CHECK_FIELDS)
        CheckDlgButton(dialog, check.id, s.field[check.field]);
    savingWhenOpened = s.field[TS_SAVING];

    bool all = true;
    for (int k = 0; k < 7; ++k) {
        const bool shown = pafShowTransducer[slotOfBox(k)] != 0;
        CheckDlgButton(dialog, IDC_SHOW_MINUS3 + k, shown);
        all = all && shown;
    }
    CheckDlgButton(dialog, IDC_SHOW_ALL_TRANSDUCERS, all);

    checkColour(dialog, CURRENT_COLOURS, currentColourButton(s));
    checkColour(dialog, PAST_COLOURS, pastColourButton(s));
    writeTexts(dialog);
}

void onColour(HWND dialog, const ColourGroup& group, int code)
{
    TrackStatus& s = *ptTrackStatus;
    s.field[group.choiceField] = code;
    s.field[group.byClassField] = code == 4 ? 1 : 0;
    checkColour(dialog, group, code);
}

void setReplayOption(std::atomic<int32_t>* flag, bool on)
{
    if (flag)
        flag->store(on ? 1 : 0);
}

void postToChart(UINT message, WPARAM wParam, LPARAM lParam)
{
    PostMessageA(hTrackDialogOwner, message, wParam, lParam);
}

void onOk()
{
    TrackStatus& work = *ptTrackStatus;
    const TrackStatus& live = globaltrackstatus;
    auto differs = [&](int field) { return work.field[field] != live.field[field]; };

    work.field[TS_REDRAW_PENDING] = 0;
    for (int field : {TS_CURRENT_VISIBLE, TS_PAST_BY_CLASS, TS_PAST_JOIN, TS_PAST_COLOUR, TS_PAST_PEN_WIDTH,
                      TS_OUTLINING, TS_SHOW_ALL_TRACKS})
        if (differs(field))
            work.field[TS_REDRAW_PENDING] = 1;
    if (differs(TS_PAST_VISIBLE) && work.field[TS_SHOW_ALL_TRACKS])
        work.field[TS_REDRAW_PENDING] = 1;

    bool currentPensChanged = differs(TS_CURRENT_BY_CLASS) || differs(TS_CURRENT_JOIN) ||
                              differs(TS_CURRENT_COLOUR) || differs(TS_CURRENT_PEN_WIDTH);
    const bool pastTrackChanged = differs(TS_PAST_VISIBLE);

    for (int field : EDITED_FIELDS)
        globaltrackstatus.field[field] = work.field[field];
    plotDensity = workingPlotDensity;

    PostMessageA(hwndSedrixToolbar, WM_TOOLBAR_IMAGE, IDM_PAST_COLOUR, work.field[TS_PAST_COLOUR]);
    if (work.field[TS_PAST_COLOUR] == 5 || work.field[TS_CURRENT_COLOUR] == 5)
        postToChart(WM_DEPTH_COLOURS, 0, 0);

    if (std::memcmp(afShowTransducer, pafShowTransducer.get(), sizeof afShowTransducer) != 0)
        currentPensChanged = true;
    std::memcpy(afShowTransducer, pafShowTransducer.get(), sizeof afShowTransducer);

    DBSaveTrackStatus(&globaltrackstatus);

    if (currentPensChanged)
        RecreateCurrentTrackPens();
    if (globaltrackstatus.field[TS_REDRAW_PENDING] || pastTrackChanged)
        RecreatePastTrackPens();
    postToChart(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG, IDOK);
}

void onCommand(HWND dialog, int id)
{
    TrackStatus& s = *ptTrackStatus;
    const bool checked = IsDlgButtonChecked(dialog, id);
    for (int code = 0; code < 6; ++code) {
        if (id == CURRENT_COLOUR_BUTTONS[code])
            return onColour(dialog, CURRENT_COLOURS, code);
        if (id == PAST_COLOUR_BUTTONS[code])
            return onColour(dialog, PAST_COLOURS, code);
    }
    for (const CheckField& check : CHECK_FIELDS)
        if (id == check.id) {
            s.field[check.field] = checked ? 1 : 0;
            return;
        }
    if (id >= IDC_SHOW_MINUS3 && id <= IDC_SHOW_PLUS3) {
        pafShowTransducer[slotOfBox(id - IDC_SHOW_MINUS3)] = checked ? 1 : 0;
        if (!checked)
            CheckDlgButton(dialog, IDC_SHOW_ALL_TRANSDUCERS, false);
        return;
    }
    switch (id) {
    case IDC_CURRENT_VISIBLE:
        // The track being recorded stays in view.
        if (savingWhenOpened)
            CheckDlgButton(dialog, IDC_CURRENT_VISIBLE, true);
        else
            s.field[TS_CURRENT_VISIBLE] = checked ? 1 : 0;
        return;
    case IDC_STOP_AT_EOF:
        setReplayOption(hSwath.pfStopReplayAtEOF, checked);
        return;
    case IDC_ERASE_ON_REPEAT:
        setReplayOption(hSwath.pfEraseOnRepeat, checked);
        if (!checked)
            bReplayRedrawPending = false;
        return;
    case IDC_SHOW_ALL_TRANSDUCERS:
        if (checked)
            for (int k = 0; k < 7; ++k) {
                CheckDlgButton(dialog, IDC_SHOW_MINUS3 + k, true);
                pafShowTransducer[slotOfBox(k)] = 1;
            }
        return;
    case IDC_DEPTH_SCALE:
        SendMessageA(hTrackDialogOwner, WM_DEPTH_COLOURS, 0, 0);
        return;
    case IDOK:
        onOk();
        return;
    case IDCANCEL:
        globaltrackstatus.field[TS_REDRAW_PENDING] = 0;
        postToChart(WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG, IDCANCEL);
        return;
    }
}

void onScroll(HWND dialog, WPARAM code, int id)
{
    if (code != SB_LINEUP && code != SB_LINEDOWN)
        return;
    const bool up = code == SB_LINEUP;
    int32_t* field = ptTrackStatus->field;
    switch (id) {
    case IDC_SAVE_EVERY_SCROLL:
        field[TS_SAVE_RATE] = StepSaveRate(field[TS_SAVE_RATE], up);
        break;
    case IDC_CURRENT_PEN_SCROLL:
        field[TS_CURRENT_PEN_WIDTH] = StepPenWidth(field[TS_CURRENT_PEN_WIDTH], up);
        break;
    case IDC_PAST_PEN_SCROLL:
        field[TS_PAST_PEN_WIDTH] = StepPenWidth(field[TS_PAST_PEN_WIDTH], up);
        break;
    case IDC_DENSITY_SCROLL:
        workingPlotDensity = StepPlotDensity(workingPlotDensity, up);
        break;
    }
    writeTexts(dialog);
}

// Memory for the working copies; false after telling the user.
bool allocateWorkingCopies()
{
    ptTrackStatus.reset(new (std::nothrow) TrackStatus(globaltrackstatus));
    if (!ptTrackStatus) {
        MessageBeep(MB_ICONSTOP);
        MessageBoxA(hTrackDialogOwner, "Memory allocation error, ptTrackStatus", "TrackDialogProc()", MB_ICONSTOP);
        return false;
    }
    pafShowTransducer.reset(new (std::nothrow) int32_t[BEAM_SLOTS]);
    if (!pafShowTransducer) {
        MessageBoxA(hTrackDialogOwner, "Memory allocation error, pafShowTransducer", "TrackDialogProc()",
                    MB_ICONSTOP);
        ptTrackStatus.reset();
        return false;
    }
    std::memcpy(pafShowTransducer.get(), afShowTransducer, sizeof afShowTransducer);
    workingPlotDensity = plotDensity;
    return true;
}

LRESULT TrackDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return allocateWorkingCopies() ? 0 : -1;
    case WM_INITDIALOG:
        onInitDialog(dialog);
        return TRUE;
    case WM_COMMAND:
        onCommand(dialog, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        onScroll(dialog, LOWORD(wParam), int(lParam));
        return 0;
    case WM_MOVE:
        InvalidateRect(hTrackDialogOwner, nullptr, TRUE);
        UpdateWindow(hTrackDialogOwner);
        return 0;
    case WM_DESTROY:
        ptTrackStatus.reset();
        pafShowTransducer.reset();
        if (dialog == hTrackDialog)
            hTrackDialog = nullptr;
        return 0;
    }
    return DefWindowProcA(dialog, message, wParam, lParam);
}

} // namespace

void OpenTrackOptions(HWND chartWindow)
{
    if (hTrackDialog && IsWindow(hTrackDialog)) {
        PostMessageA(chartWindow, WM_TOOLWINDOW_CLOSED, TRACKOPTIONSDLG, 0);
        return;
    }
    hTrackDialogOwner = chartWindow;
    HWND dialog = win::createWindow("TrackOptions", "Track Options", TrackDialogProc, chartWindow);
    if (!dialog)
        return;
    hTrackDialog = dialog;
    if (QWidget* host = ToolHost(chartWindow)) {
        ToolFrame* widget = CreateTrackOptionsWidget(host, dialog);
        win::attachWidget(dialog, widget);
        widget->adjustSize();
        widget->move(QPoint(host->width() - widget->width(), host->height() - widget->height()) / 2);
        widget->show();
        widget->raise();
    }
    SendMessageA(dialog, WM_INITDIALOG, 0, 0);
}

void CloseTrackOptions()
{
    if (!hTrackDialog)
        return;
    QPointer<QWidget> widget = win::widgetOf(hTrackDialog);
    DestroyWindow(hTrackDialog);
    delete widget.data();
}
