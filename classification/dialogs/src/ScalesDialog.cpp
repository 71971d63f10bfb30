// The box ranges dialog ("SCALESDIALOG"): working copies of the four bounds stepped by spin
// bars, copied into the box by OK, or on leaving by the user's word.
#include "BoxDialogWindow.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"
#include "platform/messages.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>

#include <cstdio>

namespace {

HWND scalesDialog = nullptr;

struct Working {
    float e1Max, e1Min, e2Max, e2Min;
    bool ended; // by OK or Cancel
};

struct Bound {
    const char* label;
    int spin;
    int value;
    float Working::*own;
    float Working::*other;
    bool maximum;
    Qt::Orientation orientation; // E1 up and down, E2 left and right
};

constexpr Bound bounds[] = {
    {"E1MAX", IDC_E1MAX_SPIN, IDC_E1MAX_VALUE, &Working::e1Max, &Working::e1Min, true, Qt::Vertical},
    {"E1MIN", IDC_E1MIN_SPIN, IDC_E1MIN_VALUE, &Working::e1Min, &Working::e1Max, false, Qt::Vertical},
    {"E2MAX", IDC_E2MAX_SPIN, IDC_E2MAX_VALUE, &Working::e2Max, &Working::e2Min, true, Qt::Horizontal},
    {"E2MIN", IDC_E2MIN_SPIN, IDC_E2MIN_VALUE, &Working::e2Min, &Working::e2Max, false, Qt::Horizontal},
};

Working* working(HWND dialog) { return reinterpret_cast<Working*>(GetWindowLongPtrA(dialog, 0)); }

Working workingOf(const BoxFile& record)
{
    return {record.e1Max, record.e1Min, record.e2Max, record.e2Min, false};
}

void copyInto(const Working& w, BoxFile& record)
{
    record.e1Max = w.e1Max;
    record.e1Min = w.e1Min;
    record.e2Max = w.e2Max;
    record.e2Min = w.e2Min;
}

bool differs(const Working& w, const BoxFile& record)
{
    return w.e1Max != record.e1Max || w.e1Min != record.e1Min || w.e2Max != record.e2Max ||
           w.e2Min != record.e2Min;
}

void showValue(HWND dialog, const Bound& bound)
{
    char text[32];
    std::snprintf(text, sizeof text, "%5.3f", double(working(dialog)->*bound.own));
    if (auto* label = dialogControl<QLabel>(dialog, bound.value))
        label->setText(QString::fromLatin1(text));
}

void step(HWND dialog, UINT message, WORD code, int spin)
{
    if (code != SB_LINEUP && code != SB_LINEDOWN)
        return;
    for (const Bound& bound : bounds) {
        if (bound.spin != spin)
            continue;
        // The upper arrow raises an E1 bound, the right arrow an E2 bound.
        bool up = message == WM_VSCROLL ? code == SB_LINEUP : code == SB_LINERIGHT;
        Working* w = working(dialog);
        if (bound.maximum)
            StepBoxMaximum(w->*bound.own, w->*bound.other, up);
        else
            StepBoxMinimum(w->*bound.own, w->*bound.other, up);
        showValue(dialog, bound);
    }
}

// Closed some other way than by OK or Cancel, the dialog asks before changes are lost.
void leave(HWND dialog)
{
    Working* w = working(dialog);
    BoxFile* record = dialogRecord(dialog);
    if (!w->ended && differs(*w, *record)) {
        int answer = MessageBoxA(dialog, "   Do you want to save the\n changes you made in the scales?",
                                 "Varnel System Message", MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) {
            copyInto(*w, *record);
            // A classification window still there shows the new bounds and marks the box modified.
            PostMessageA(notifiedWindow(dialog), WM_SEDRIX_SCALES_CHANGED, 0, reinterpret_cast<LPARAM>(dialog));
        }
    }
    delete w;
    SetWindowLongPtrA(dialog, 0, 0);
}

LRESULT ScalesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        keepDialogRecord(dialog, lParam);
        SetWindowLongPtrA(dialog, 0, reinterpret_cast<LONG_PTR>(new Working(workingOf(*dialogRecord(dialog)))));
        return 0;
    case WM_INITDIALOG:
        for (const Bound& bound : bounds)
            showValue(dialog, bound);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        step(dialog, message, LOWORD(wParam), int(lParam));
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            working(dialog)->ended = true;
            copyInto(*working(dialog), *dialogRecord(dialog));
            finishDialog(dialog, WM_SEDRIX_SCALES_CHANGED);
        } else if (LOWORD(wParam) == IDCANCEL) {
            working(dialog)->ended = true;
            finishDialog(dialog, WM_SEDRIX_DIALOG_CLOSED);
        }
        return 0;
    case WM_DESTROY:
        leave(dialog);
        return 0;
    default:
        return DefWindowProcA(dialog, message, wParam, lParam);
    }
}

// A spin bar: its arrows step the value, and the bar itself stays in the middle.
QScrollBar* spinBar(HWND dialog, const Bound& bound)
{
    auto* bar = win::withId(new QScrollBar(bound.orientation), bound.spin);
    bar->setRange(0, 2);
    bar->setValue(1);
    if (bound.orientation == Qt::Vertical)
        bar->setFixedSize(17, 34);
    else
        bar->setFixedSize(34, 17);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [dialog, bar, &bound](int action) {
        bar->setSliderPosition(1);
        if (action != QAbstractSlider::SliderSingleStepAdd && action != QAbstractSlider::SliderSingleStepSub)
            return;
        WORD code = action == QAbstractSlider::SliderSingleStepAdd ? SB_LINEDOWN : SB_LINEUP;
        SendMessageA(dialog, bound.orientation == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL, code,
                     LPARAM(bound.spin));
    });
    return bar;
}

void build(BoxDialogWidget* widget, HWND dialog)
{
    auto* grid = new QGridLayout(widget);
    grid->setHorizontalSpacing(10);
    for (int i = 0; i < 4; ++i) {
        const Bound& bound = bounds[i];
        int row = i % 2, column = i / 2 * 3;
        grid->addWidget(new QLabel(bound.label), row, column);
        grid->addWidget(spinBar(dialog, bound), row, column + 1, Qt::AlignCenter);
        auto* value = win::withId(new QLabel, bound.value);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance("00.000 "));
        grid->addWidget(value, row, column + 2);
    }
    grid->addWidget(win::okCancelButtons(widget), 2, 0, 1, 6, Qt::AlignRight);
}

} // namespace

HWND ShowScalesDialog(HWND owner, BoxFile* record)
{
    static const BoxDialogKind kind{"SCALESDIALOG", "Sedrix Box Ranges (volts)", ScalesDialogProc, build,
                                    &scalesDialog};
    return ShowBoxDialog(kind, owner, record);
}
