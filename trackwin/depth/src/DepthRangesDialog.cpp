// The "Depth Ranges" dialog: units, top, bottom and range by arrows, and autoscale, edited in a
// working copy that OK puts in force.
#include "DepthWindowState.h"

#include "trackwin/DepthWindow.h"

#include "frame/WindowLayout.h"
#include "platform/dialogcontrols.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

class DepthRangesDialog : public QDialog {
public:
    DepthRangesDialog(QWidget* parent, HWND depthWindowHandle)
        : QDialog(parent, Qt::Tool), depthWindow_(depthWindowHandle), working_(depthDisplay)
    {
        setObjectName("DEPTHSETDIALOG");
        setWindowTitle("Depth Ranges");
        auto* layout = new QVBoxLayout(this);
        auto* units = new QGroupBox("UNITS");
        auto* unitRow = new QVBoxLayout(units);
        auto* group = new QButtonGroup(this);
        const char* names[] = {"METRES", "FEET", "FATHOMS"};
        for (int u = 0; u < 3; ++u) {
            auto* radio = win::withId(new QRadioButton(names[u]), IDC_METRES + u);
            radio->setChecked(u == working_.units);
            group->addButton(radio, u);
            unitRow->addWidget(radio);
        }
        connect(group, &QButtonGroup::idClicked, this, [this](int u) { changeUnits(u); });
        layout->addWidget(units);

        auto* values = new QGridLayout;
        addValue(values, 0, "Top", IDC_TOP_VALUE, IDC_TOP_SCROLL, StepDepthTop);
        addValue(values, 1, "Bottom", IDC_BOTTOM_VALUE, IDC_BOTTOM_SCROLL, StepDepthBottom);
        addValue(values, 2, "Range", IDC_RANGE_VALUE, IDC_RANGE_SCROLL, StepDepthRange);
        layout->addLayout(values);

        auto* autoscale = win::withId(new QCheckBox("AutoScale"), IDC_AUTOSCALE);
        autoscale->setChecked(working_.autoscale != 0);
        connect(autoscale, &QCheckBox::clicked, this, [this] { working_.autoscale = int16_t(!working_.autoscale); });
        layout->addWidget(autoscale);
        layout->addWidget(win::okCancelButtons(this));
        showValues();
    }

    // Closed without an answer (the depth window goes): the user decides about the changes.
    void closeUnanswered()
    {
        if (answered_)
            return;
        answered_ = true;
        MessageBeep(MB_ICONQUESTION);
        const int answer = MessageBoxA(depthWindow_, "   Do you want to save the changes\n you made in the depth ranges?",
                                       "Varnel System Message", MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL);
        finish(answer == IDYES);
    }

    void accept() override { answer(true); }
    void reject() override { answer(false); }

protected:
    void moveEvent(QMoveEvent*) override { InvalidateRect(GetParent(depthWindow_), nullptr, FALSE); }
    void closeEvent(QCloseEvent* event) override
    {
        event->ignore();
        reject();
    }

private:
    using Step = void (*)(DepthDisplaySettings&, bool up);

    void addValue(QGridLayout* grid, int row, const char* name, int valueId, int scrollId, Step step)
    {
        grid->addWidget(new QLabel(name), row, 0);
        auto* value = win::withId(new QLabel, valueId);
        value->setFrameShape(QFrame::Panel);
        value->setFrameShadow(QFrame::Sunken);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setMinimumWidth(48);
        grid->addWidget(value, row, 1);
        // Only the arrows count: the thumb is put back in the middle after every step.
        auto* bar = win::withId(new QScrollBar(Qt::Vertical), scrollId);
        bar->setRange(0, 2);
        bar->setValue(1);
        bar->setFixedHeight(value->sizeHint().height() + 8);
        connect(bar, &QScrollBar::actionTriggered, this, [this, bar, step](int action) {
            if (action == QAbstractSlider::SliderSingleStepSub || action == QAbstractSlider::SliderSingleStepAdd) {
                step(working_, action == QAbstractSlider::SliderSingleStepSub);
                showValues();
            }
            bar->setSliderPosition(1);
        });
        grid->addWidget(bar, row, 2);
    }

    void showValues()
    {
        controlOf<QLabel>(IDC_TOP_VALUE)->setText(QString::asprintf("%4d", int(working_.top)));
        controlOf<QLabel>(IDC_BOTTOM_VALUE)->setText(QString::asprintf("%4d", int(working_.bottom)));
        controlOf<QLabel>(IDC_RANGE_VALUE)->setText(QString::asprintf("%4d", int(working_.range)));
    }
    template <typename W>
    W* controlOf(int id) const { return win::controlOf<W>(this, id); }

    // The history follows the unit at once, so the plot stays true while the dialog is open.
    void changeUnits(int units)
    {
        if (units == working_.units)
            return;
        depthWindow.history.convert(DepthUnitFactor(working_.units, units));
        ConvertDepthSettings(working_, units);
        showValues();
        RedrawDepthWindow();
    }

    void finish(bool keep)
    {
        if (keep)
            depthDisplay = working_;
        else if (working_.units != depthDisplay.units)
            depthWindow.history.convert(DepthUnitFactor(working_.units, depthDisplay.units));
    }

    void answer(bool keep)
    {
        if (answered_)
            return;
        answered_ = true;
        finish(keep);
        PostMessageA(depthWindow_, WM_TOOLWINDOW_CLOSED, DEPTH_RANGES_CLOSED, 0);
    }

    HWND depthWindow_;
    DepthDisplaySettings working_;
    bool answered_ = false;
};

void OpenDepthRangesDialog(HWND depthWindowHandle)
{
    if (!depthWindow.ranges) {
        depthWindow.ranges = new DepthRangesDialog(win::widgetOf(depthWindowHandle), depthWindowHandle);
        if (QWidget* owner = win::widgetOf(depthWindowHandle)) {
            const QPoint at = owner->mapToGlobal(QPoint(owner->width() + 8, 0));
            depthWindow.ranges->move(at);
        }
    }
    depthWindow.ranges->show();
    depthWindow.ranges->raise();
}

void CloseDepthRangesDialog()
{
    if (DepthRangesDialog* dialog = depthWindow.ranges.data()) {
        depthWindow.ranges = nullptr;
        dialog->closeUnanswered();
        delete dialog;
    }
}
