// The chart window's command handler: what each control-bar button, button-bar button and
// toolbar button does. An action whose window does not exist yet says so in one line.
#include "platform/profile.h"
#include "ChartCommands.h"
#include "ToolWindows.h"

#include "chart/ChartWindow.h"
#include "chart/ChartHooks.h"
#include "chart/MeasureTool.h"
#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "classification/SedrixNotifications.h"
#include "classification/SedrixWindow.h"
#include "database/DbFiles.h"
#include "euro32/euro32.h"
#include "euro32/euro32qt.h"
#include "frame/ChartButtonBar.h"
#include "frame/ChartLayout.h"
#include "frame/ChartTitleStrip.h"
#include "frame/ControlBars.h"
#include "frame/Inifile.h"
#include "frame/SedrixToolbar.h"
#include "platform/dialogcontrols.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "replay/ReplayWindow.h"
#include "trackwin/DepthWindow.h"
#include "trackwin/TrackList.h"
#include "trackwin/TrackOptions.h"

#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QVBoxLayout>

#include <string>

namespace {

HWND buttonBar = nullptr;
bool chartBlank = false;

constexpr int IDC_CENTRE_ON_SHIP = 4290;

HWND FindControlBar(int barId)
{
    for (int i = 0; i < ControlBarCount(); ++i)
        if (ControlBarId(ControlBarAt(i)) == barId)
            return ControlBarAt(i);
    return nullptr;
}

// Button n of a bar carries control id n.
void SetControlBarButtonText(HWND bar, int button, const char* text)
{
    if (QWidget* widget = win::widgetOf(bar))
        if (auto* control = widget->findChild<QPushButton*>(QString::number(button)))
            control->setText(text);
}

void notAvailable(HWND chartWindow, const char* what)
{
    std::string text = std::string(what) + " is not available in this version.";
    MessageBoxA(chartWindow, text.c_str(), db::APPLICATION_TITLE, MB_ICONINFORMATION);
}

void refresh(HWND chartWindow)
{
    PostMessageA(chartWindow, WM_CHART_REFRESH, 0, 0);
}

// Opens a bar, or closes it when it is open already.
void toggleBar(HWND chartWindow, int barId)
{
    if (HWND open = FindControlBar(barId))
        CloseControlBar(open);
    else
        ShowControls(barId, chartWindow);
}

void autoScrollCommand(HWND chartWindow)
{
    if (fAutoScroll) {
        if (MessageBoxA(chartWindow, "Turn off AutoScroll?", db::APPLICATION_TITLE, MB_YESNO | MB_ICONQUESTION) == IDYES) {
            fAutoScroll = false;
            CheckButtonBarButton(buttonBar, CB_SCROLL, false);
        }
        return;
    }
    QDialog dialog(win::widgetOf(chartWindow));
    dialog.setWindowTitle(db::APPLICATION_TITLE);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel("Turn on Auto Scroll?"));
    auto* buttons = new QHBoxLayout;
    auto* centre = win::withId(new QPushButton("Centre on Ship"), IDC_CENTRE_ON_SHIP);
    auto* ok = win::withId(new QPushButton("OK"), IDOK);
    auto* cancel = win::withId(new QPushButton("Cancel"), IDCANCEL);
    for (QPushButton* b : {centre, ok, cancel})
        buttons->addWidget(b);
    layout->addLayout(buttons);
    ok->setDefault(true);
    QObject::connect(centre, &QPushButton::clicked, &dialog, [&] { dialog.done(IDC_CENTRE_ON_SHIP); });
    QObject::connect(ok, &QPushButton::clicked, &dialog, [&] { dialog.done(IDOK); });
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] { dialog.done(IDCANCEL); });
    switch (win::execModal(dialog, "AUTOSCROLL_DIALOG")) {
    case IDOK:
        fAutoScroll = true;
        CheckButtonBarButton(buttonBar, CB_SCROLL, true);
        break;
    case IDC_CENTRE_ON_SHIP:
        CentreOnShip(chartWindow, 0);
        break;
    default:
        break;
    }
}

// Blank and Normal open a new chart window in that display, over the same area.
void blankOrNormal(HWND chartWindow)
{
    HWND top = TopEngineChartWindow();
    int32_t area[4] = {};
    const bool hadArea = top && EC_GetChartArea(top, &area[0], &area[1], &area[2], &area[3]);
    if (top)
        DestroyWindow(GetParent(top));
    EC_oemChart_doAction(chartBlank ? EC_ACTION_NORMAL : EC_ACTION_BLANK);
    chartBlank = !chartBlank;
    SetControlBarButtonText(FindControlBar(2), 5, chartBlank ? "Normal" : "Blank");
    HWND opened = TopEngineChartWindow();
    if (hadArea && opened)
        EC_ChangeChartArea(opened, area[0], area[1], area[2], area[3]);
    refresh(chartWindow);
}

void zoomFull(HWND chartWindow)
{
    // By name from the engine's library, as the engine is loaded.
    if (HMODULE engine = LoadLibraryA("euro32.dll")) {
        if (auto full = reinterpret_cast<int (*)()>(GetProcAddress(engine, "EC_ChartZoomFull")))
            full();
        FreeLibrary(engine);
    }
    refresh(chartWindow);
}

// Ends the catalogue's turn once a click has opened a chart: the engine's window hides again
// and the new chart is captured.
class CatalogueWatch : public QObject {
public:
    CatalogueWatch(HWND chartWindow, QWidget* area) : chartWindow_(chartWindow), area_(area) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::MouseButtonRelease && widget && area_->isAncestorOf(widget))
            QMetaObject::invokeMethod(this, [this] {
                if (euro32::catalogueShown())
                    return;
                area_->hide();
                refresh(chartWindow_);
                deleteLater();
            }, Qt::QueuedConnection);
        return false;
    }

private:
    HWND chartWindow_;
    QWidget* area_;
};

void showCatalogue(HWND chartWindow)
{
    if (!EC_oemChart_doAction(EC_ACTION_CATALOGUE))
        return;
    // The engine takes the mouse: its chart window is shown over ours until a click opens a chart.
    QMdiArea* area = euro32::mdiArea();
    QWidget* chart = win::widgetOf(chartWindow);
    if (!area || !chart)
        return;
    area->setGeometry(chart->geometry());
    area->show();
    area->raise();
    auto* watch = new CatalogueWatch(chartWindow, area);
    watch->setParent(area);
    QCoreApplication::instance()->installEventFilter(watch);
}

LRESULT chartCommand(HWND chartWindow, int button)
{
    switch (button) {
    case 2:
        notAvailable(chartWindow, "Overlay editing");
        break;
    case 3:
        EC_oemChart_doAction(EC_ACTION_SETTINGS);
        refresh(chartWindow);
        break;
    case 4:
        EC_oemChart_doAction(EC_ACTION_INSTALL);
        break;
    case 5:
        blankOrNormal(chartWindow);
        break;
    case 6:
        EC_oemChart_doAction(EC_ACTION_COLOUR);
        UpdateColourScheme(chartWindow);
        refresh(chartWindow);
        break;
    case 7:
        autoScrollCommand(chartWindow);
        break;
    case 8:
        zoomFull(chartWindow);
        break;
    case 9:
        EC_oemChart_doAction(EC_ACTION_FOLIO);
        refresh(chartWindow);
        break;
    case 10:
        showCatalogue(chartWindow);
        break;
    }
    return 0;
}

void quitCommand(HWND chartWindow)
{
    if (MessageBoxA(chartWindow, "Quit Varnel Swath?", db::APPLICATION_TITLE, MB_YESNO | MB_ICONQUESTION) == IDYES)
        DestroyWindow(GetParent(chartWindow));
}

void toggleTitle(HWND chartWindow)
{
    int32_t on = 0;
    LoadStatus(&on, "Title");
    on = !on;
    SaveStatus(on, "Title");
    if (on)
        ShowChartTitleStrip(GetParent(chartWindow), szChartTitle);
    else
        HideChartTitleStrip();
    LayoutChartBelowTopStrips(chartWindow);
    refresh(chartWindow);
}

void showModuleWindow()
{
    if (HWND module = hSwath.GetMainWnd ? hSwath.GetMainWnd() : nullptr)
        ShowWindow(module, SW_SHOWNORMAL);
}

LRESULT instrumentCommand(HWND chartWindow, int button)
{
    static const char* const windows[] = {"The seabed window", "The position window", "The route window"};
    switch (button) {
    case 2:
        ShowSedrixWindow(chartWindow);
        break;
    case 3:
        ShowDepthWindow(chartWindow);
        break;
    case 7:
        toggleTitle(chartWindow);
        break;
    case 8:
        showModuleWindow();
        break;
    case 9:
        ShowReplayWindow(chartWindow);
        break;
    default:
        if (button >= 4 && button <= 6)
            notAvailable(chartWindow, windows[button - 4]);
    }
    return 0;
}

LRESULT mainBarCommand(HWND chartWindow, int button)
{
    switch (button) {
    case 2:
        toggleBar(chartWindow, 2);
        break;
    case 3:
        StartEnquiry(chartWindow);
        break;
    case 4:
        toggleBar(chartWindow, 5);
        break;
    case 5:
        OpenTrackOptions(chartWindow);
        break;
    case 6:
        toggleBar(chartWindow, 1);
        break;
    case 7:
        toggleBar(chartWindow, 4);
        break;
    case 8:
        refresh(chartWindow);
        break;
    case 9:
    case 10:
        notAvailable(chartWindow, "The 3D view");
        break;
    }
    return 0;
}

void buttonBarClicked(HWND, int index)
{
    HWND chartWindow = hwndChart;
    if (const int scale = ChartButtonScale(index)) {
        SetChartScale(chartWindow, scale);
        return;
    }
    switch (index) {
    case CB_SAVE:
        SavingSwitch(chartWindow, 0, 0);
        break;
    case CB_BOX1:
    case CB_BOX2: {
        const int slot = index == CB_BOX1 ? 0 : 1;
        SwitchBoxFileSlot(slot, hwndSedrixWnd);
        CheckButtonBarButton(buttonBar, CB_BOX1, slot == 0);
        CheckButtonBarButton(buttonBar, CB_BOX2, slot == 1);
        if (hwndSedrixWnd)
            PostMessageA(hwndSedrixWnd, WM_SEDRIX_REFRESH, 0, 0);
        refresh(chartWindow);
        break;
    }
    case CB_SCROLL:
        autoScrollCommand(chartWindow);
        break;
    case CB_DATABASE:
        notAvailable(chartWindow, "The choice of databases to show");
        break;
    case CB_AUTOSAVE:
        notAvailable(chartWindow, "Auto Save");
        break;
    case CB_TRACKS:
        ShowTrackList(chartWindow);
        break;
    case CB_TRACKOPTIONS:
        OpenTrackOptions(chartWindow);
        break;
    case CB_MEASURE:
        MeasureSwitch(chartWindow);
        break;
    case CB_DEPTH:
        ToggleDepthWindow(chartWindow);
        break;
    case CB_SEDRIXSQUARE:
        ToggleSedrixWindow(chartWindow);
        break;
    }
}

} // namespace

void CheckScaleButton(int denominator)
{
    if (buttonBar)
        SelectScaleButton(buttonBar, denominator);
}

void CreateChartBars(HWND chartWindow)
{
    // Shown unless the user turned it off.
    char status[8] = "";
    GetPrivateProfileStringA("ButtonBar", "Status", "On", status, sizeof status, VARNEL_INI);
    if (std::string(status) != "Off")
        buttonBar = CreateChartButtonBar(chartWindow, buttonBarClicked);
    CheckButtonBarButton(buttonBar, nBoxFileSlot == 0 ? CB_BOX1 : CB_BOX2, true);
    CreateSedrixToolbar(chartWindow);
    BindMeasureAutoScroll(&fAutoScroll);
    ReopenToolWindows(chartWindow);
    int32_t title = 0;
    LoadStatus(&title, "Title");
    if (title)
        ShowChartTitleStrip(GetParent(chartWindow), szChartTitle);
}

void DestroyChartBars()
{
    HideChartTitleStrip();
    buttonBar = nullptr;
}

LRESULT ChartBarCommand(HWND chartWindow, int bar, int button)
{
    if (button == 1 && bar != 16) {
        if (bar == 0)
            quitCommand(chartWindow);
        else
            CloseControlBar(FindControlBar(bar));
        return 0;
    }
    switch (bar) {
    case 0:
        return mainBarCommand(chartWindow, button);
    case 1:
        return instrumentCommand(chartWindow, button);
    case 2:
        return chartCommand(chartWindow, button);
    case 4:
        if (button == 2)
            MeasureSwitch(chartWindow);
        else if (button == 4)
            StartEnquiry(chartWindow);
        return 0;
    case 5:
        notAvailable(chartWindow, "Overlay editing");
        return 0;
    case 16:
        if (button == 1)
            MeasureSwitch(chartWindow);
        else
            StartEnquiry(chartWindow);
        return 0;
    default:
        return 0;
    }
}

LRESULT ChartToolbarCommand(HWND chartWindow, int commandId)
{
    switch (commandId) {
    case IDM_SAVING:
        SavingSwitch(chartWindow, 0, 0);
        break;
    case IDM_PAST_COLOUR:
        OpenTrackOptions(chartWindow);
        break;
    case IDM_MEASURE_TOOL:
        MeasureSwitch(chartWindow);
        break;
    case IDM_QUERY_INFO:
        StartEnquiry(chartWindow);
        break;
    }
    return 0;
}
