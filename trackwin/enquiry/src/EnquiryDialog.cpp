#include "EnquiryDialog.h"

#include "EnquiryState.h"
#include "frame/PositionText.h"
#include "TrackPositions.h"

#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"
#include "frame/Inifile.h"
#include "frame/ProgramSettings.h"
#include "platform/dialogcontrols.h"
#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "trackwin/TrackpointEnquiry.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int DIALOG_WIDTH = 262;
constexpr int CAPTION_HEIGHT = 20;
constexpr int DIALOG_HEIGHT = CAPTION_HEIGHT + 206;
constexpr double ECHO_SCALE = 2.024; // volts across the plot, both ways

int minuteDecimals;

// The e1/e2 plot: the crossing of the two lines is the point, e1 upwards.
class EchoPlot : public QLabel {
public:
    void showPoint(double e1, double e2)
    {
        e1_ = e1;
        e2_ = e2;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int w = width(), h = height();
        painter.fillRect(rect(), Qt::white);
        painter.setPen(Qt::black);
        const int x = int(w * e2_ / ECHO_SCALE);
        const int y = int(std::fabs(h * e1_ / ECHO_SCALE - h));
        painter.drawLine(x, 0, x, h);
        painter.drawLine(0, y, w, y);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    double e1_ = 0, e2_ = 0;
};

// The seabed colour; a code that is no colour is written on the brush of unclassified points.
class ColourSwatch : public QLabel {
public:
    void showColour(int colour)
    {
        colour_ = colour;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool isColour = colour_ >= 0 && colour_ <= COLOUR_NO_CLASSIFICATION;
        painter.fillRect(rect(), ClassBrushes[isColour ? colour_ : COLOUR_NO_CLASSIFICATION]);
        if (!isColour) {
            painter.setPen(Qt::black);
            painter.drawText(rect().adjusted(2, 0, -4, 0), Qt::AlignRight | Qt::AlignVCenter, QString::number(colour_));
        }
    }

private:
    int colour_ = 0;
};

class SedrixInfoWidget : public QWidget {
public:
    SedrixInfoWidget(HWND handle, QWidget* parent) : QWidget(parent), handle_(handle)
    {
        setFixedSize(DIALOG_WIDTH, DIALOG_HEIGHT);
        QPalette grey = palette();
        grey.setColor(QPalette::Window, QColor(192, 192, 192));
        grey.setColor(QPalette::WindowText, Qt::black);
        grey.setColor(QPalette::ButtonText, Qt::black);
        setPalette(grey);
        setAutoFillBackground(true);

        auto* caption = new QLabel(this);
        caption->setGeometry(0, 0, DIALOG_WIDTH, CAPTION_HEIGHT);
        caption->setStyleSheet("background: #000080; color: white; font-weight: bold; padding-left: 4px;");
        connect(this, &QWidget::windowTitleChanged, caption, &QLabel::setText);

        static const struct {
            const char* name;
            int id;
        } fields[] = {{"Lat:", IDC_INFO_LAT},     {"Long:", IDC_INFO_LONG},     {"e1:", IDC_INFO_E1},
                      {"e2:", IDC_INFO_E2},       {"Depth:", IDC_INFO_DEPTH},   {"Bottom:", IDC_INFO_BOTTOM},
                      {"Time:", IDC_INFO_TIME},   {"Date:", IDC_INFO_DATE}};
        int y = CAPTION_HEIGHT + 6;
        for (const auto& field : fields) {
            (new QLabel(field.name, this))->setGeometry(8, y, 46, 18);
            auto* value = win::withId(new QLabel(this), field.id);
            value->setGeometry(56, y, 108, 18);
            value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            y += 20;
        }
        plot = win::withId(new EchoPlot, IDC_INFO_PLOT);
        plot->setParent(this);
        plot->setGeometry(172, CAPTION_HEIGHT + 8, 82, 82);
        swatch = win::withId(new ColourSwatch, IDC_INFO_SWATCH);
        swatch->setParent(this);
        swatch->setGeometry(172, CAPTION_HEIGHT + 100, 82, 24);

        select = win::withId(new QPushButton("Select", this), IDC_INFO_SELECT);
        select->setCheckable(true);
        select->setGeometry(8, DIALOG_HEIGHT - 30, 76, 24);
        auto* remove = win::withId(new QPushButton("Delete Track", this), IDC_INFO_DELETE);
        remove->setGeometry(92, DIALOG_HEIGHT - 30, 96, 24);
        keep = win::withId(new QCheckBox("Select", this), IDC_INFO_KEEP_TRACK);
        keep->hide();
        // The procedure decides; a click does not toggle by itself.
        connect(select, &QPushButton::clicked, this, [this] {
            select->setChecked(!select->isChecked());
            command(IDC_INFO_SELECT);
        });
        connect(remove, &QPushButton::clicked, this, [this] { command(IDC_INFO_DELETE); });
    }

    void setText(int id, const std::string& text)
    {
        if (auto* label = findChild<QLabel*>(QString::number(id)))
            label->setText(QString::fromLatin1(text.c_str()));
    }

    EchoPlot* plot;
    ColourSwatch* swatch;
    QPushButton* select;
    QCheckBox* keep;

private:
    void command(int id) { SendMessageA(handle_, WM_COMMAND, WPARAM(id), 0); }

    HWND handle_;
};

SedrixInfoWidget* widgetOfDialog(HWND dialog) { return dynamic_cast<SedrixInfoWidget*>(win::widgetOf(dialog)); }

std::string Printed(const char* format, auto... values)
{
    char text[96];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string DepthText(double metres)
{
    switch (depthDisplay.units) {
    case 1:
        return Printed("%5.1f%s", metres * 3.2808, "ft");
    case 2:
        return Printed("%5.1f%s", metres * 0.5468, "fm");
    default:
        return Printed("%5.1f%s", metres, "m");
    }
}

std::string BottomText(double e1, double e2)
{
    BoxFile box = boxFile; // classifying notes its last cell in the record
    TrackPoint point{0.0f, float(e1), float(e2), 0, 0, 0};
    if (ClassifyReading(&box, &point) != 0)
        return "<Ext>";
    return std::string(box.classNames[point.colour], strnlen(box.classNames[point.colour], BOX_NAME_SIZE));
}

// The track the "Select" button stands for: the kept track, or the past track.
bool IsSelectedTrack(uint32_t handle)
{
    if (enquiry.keptTrack != -1)
        return int64_t(handle) == enquiry.keptTrack;
    return handle == uint32_t(globaltrackstatus.field[TS_PAST_HANDLE]);
}

void RefreshFields(HWND dialog, bool deleted)
{
    const SedrixPointInfo& info = *pSedrixInfo;
    if (enquiry.flags & ENQUIRY_TRACK_DETAILS)
        SetWindowTextA(dialog, Printed(deleted ? "Track %li, Xdcr %d, DELETED POINT %li" : "Track %li, Xdcr %d, point %li",
                                       long(info.handle), info.transducer, long(info.index))
                                   .c_str());
    SedrixInfoWidget* widget = widgetOfDialog(dialog);
    if (!widget)
        return;
    if (enquiry.flags & ENQUIRY_TRACK_DETAILS) {
        const bool selected = IsSelectedTrack(info.handle);
        widget->select->setChecked(selected);
        widget->select->setEnabled(!selected);
    }
    widget->setText(IDC_INFO_LAT, LatitudeText(info.lat, minuteDecimals));
    widget->setText(IDC_INFO_LONG, LongitudeText(info.lon, minuteDecimals));
    widget->setText(IDC_INFO_E1, Printed("%5.3f", info.e1));
    widget->setText(IDC_INFO_E2, Printed("%5.3f", info.e2));
    widget->setText(IDC_INFO_DEPTH, DepthText(info.depth));
    widget->setText(IDC_INFO_BOTTOM, BottomText(info.e1, info.e2));
    widget->setText(IDC_INFO_TIME, info.time);
    widget->setText(IDC_INFO_DATE, info.date);
    widget->swatch->showColour(info.colour);
    widget->plot->showPoint(info.e1, info.e2);
}

// Nothing found, no track to act on.
uint32_t FoundTrack()
{
    return pSedrixInfo && pSedrixInfo->handle > CURRENT_TRACK_HANDLE ? pSedrixInfo->handle : 0;
}

void SelectTrack(HWND dialog)
{
    const uint32_t handle = FoundTrack();
    if (!handle)
        return;
    globaltrackstatus.field[TS_PAST_HANDLE] = int32_t(handle);
    globalpasttrackinfo.handle = handle;
    DBGetObjectInfo(TRACK_OVERLAY, OBJ_TRACK, &globalpasttrackinfo, "database");
    DBSaveTrackStatus(&globaltrackstatus);
    if (SedrixInfoWidget* widget = widgetOfDialog(dialog))
        widget->select->setChecked(true);
    PostMessageA(enquiry.chartWindow, WM_CHART_REDRAW, 0, 0);
}

// A deleted track is no longer drawn as the past track.
void ForgetDeletedTrack(uint32_t handle)
{
    if (enquiry.keptTrack == int64_t(handle))
        enquiry.keptTrack = -1;
    if (uint32_t(globaltrackstatus.field[TS_PAST_HANDLE]) != handle)
        return;
    globaltrackstatus.field[TS_PAST_HANDLE] = 0;
    globalpasttrackinfo.handle = 0;
    DBSaveTrackStatus(&globaltrackstatus);
}

void DeleteTrack(HWND dialog)
{
    const uint32_t handle = FoundTrack();
    if (!handle)
        return;
    MessageBeep(MB_ICONQUESTION);
    const std::string question = Printed("Are you sure you want to delete track %d?", int(handle));
    if (MessageBoxA(dialog, question.c_str(), db::APPLICATION_TITLE, MB_OKCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL) != IDOK)
        return;
    if (!(enquiry.flags & ENQUIRY_SELECT_ONLY)) {
        if (!DBDeleteObject(TRACK_OVERLAY, OBJ_TRACK, handle)) {
            MessageBeep(MB_ICONEXCLAMATION);
            MessageBoxA(dialog, "Failed to delete track", nullptr, MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
            return;
        }
        if (const auto folder = win::HostPath(db::TrackFolder("database")))
            ForgetTrackPositions(*folder, handle);
        ForgetDeletedTrack(handle);
        PostMessageA(enquiry.chartWindow, WM_CHART_REDRAW, 0, 0);
    }
    ShowWindow(dialog, SW_HIDE);
    InvalidateRect(enquiry.chartWindow, nullptr, FALSE);
    UpdateWindow(enquiry.chartWindow);
}

} // namespace

LRESULT SedrixInfoProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        minuteDecimals = 3; // when the profile has none
        GetVarnelProfileInt("PositionWnd", "MinuteDecimals", &minuteDecimals);
        return 0;
    case WM_ENQUIRY_REFRESH:
        if (pSedrixInfo)
            RefreshFields(dialog, wParam == 1);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_INFO_SELECT)
            SelectTrack(dialog);
        else if (LOWORD(wParam) == IDC_INFO_DELETE)
            DeleteTrack(dialog);
        return 0;
    default:
        return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

HWND CreateSedrixInfoDialog(HWND chartWindow)
{
    HWND dialog = win::createWindow(SEDRIX_INFO_CLASS, "Trackpoint Enquiry", SedrixInfoProc, chartWindow);
    if (!dialog)
        return nullptr;
    // A tool window floats over the chart: a child of the main window, whose coordinates are the
    // screen's.
    auto* widget = new SedrixInfoWidget(dialog, win::widgetOf(GetParent(chartWindow)));
    widget->hide();
    win::attachWidget(dialog, widget);
    return dialog;
}

void ShowSelectButton(HWND dialog, bool shown)
{
    if (SedrixInfoWidget* widget = widgetOfDialog(dialog))
        widget->select->setVisible(shown);
}

bool KeepTrackChecked(HWND dialog)
{
    SedrixInfoWidget* widget = widgetOfDialog(dialog);
    return widget && widget->keep->isChecked();
}
