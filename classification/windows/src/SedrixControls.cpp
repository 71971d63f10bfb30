// The classification window's buttons and statics in each mode, and where they sit.
#include "SedrixState.h"

#include "classification/SedrixWindow.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <cstdio>

namespace {

// The editor's buttons in two rows under the E2 axis, in this order.
constexpr int EDITOR_ROWS[2][6] = {
    {IDC_SEDRIX_MODE, IDC_SEDRIX_FIX_EDIT, IDC_SEDRIX_CANCEL_EDIT, IDC_SEDRIX_GRID, IDC_SEDRIX_SCALES,
     IDC_SEDRIX_ANALYSIS},
    {IDC_SEDRIX_SAVE, IDC_SEDRIX_LOAD, IDC_SEDRIX_SELECT_TEXT, IDC_SEDRIX_ADD, IDC_SEDRIX_DEL, 0},
};
constexpr int EDITOR_ONLY[] = {IDC_SEDRIX_GRID,        IDC_SEDRIX_SAVE,   IDC_SEDRIX_LOAD,
                               IDC_SEDRIX_CANCEL_EDIT, IDC_SEDRIX_FIX_EDIT, IDC_SEDRIX_SCALES,
                               IDC_SEDRIX_ANALYSIS,    IDC_SEDRIX_SELECT_TEXT, IDC_SEDRIX_ADD,
                               IDC_SEDRIX_DEL,         IDC_SEDRIX_MOUSE_E1, IDC_SEDRIX_MOUSE_E2};

const char* buttonLabel(int id)
{
    switch (id) {
    case IDC_SEDRIX_MODE: return sedrix.editMode ? "Normal" : "Edit";
    case IDC_SEDRIX_HIDE: return "Hide";
    case IDC_SEDRIX_GRID: return sedrix.gridLines ? "Grid Off" : "Grid On";
    case IDC_SEDRIX_SAVE: return "Save";
    case IDC_SEDRIX_LOAD: return "Load";
    case IDC_SEDRIX_CANCEL_EDIT: return "Cancel Edit";
    case IDC_SEDRIX_FIX_EDIT: return "Fix Edit";
    case IDC_SEDRIX_SCALES: return "Scales";
    case IDC_SEDRIX_ANALYSIS: return "Analysis";
    case IDC_SEDRIX_SELECT_TEXT: return "Select Text";
    case IDC_SEDRIX_ADD: return "Add";
    case IDC_SEDRIX_DEL: return "Del";
    default: return "";
    }
}

QWidget* frame() { return win::widgetOf(sedrix.window); }

template <typename W> W* control(int id)
{
    QWidget* widget = frame();
    return widget ? widget->findChild<W*>(QString::number(id), Qt::FindDirectChildrenOnly) : nullptr;
}

// Clicks are posted: a button may go with the mode it switches.
void button(int id, QRect at)
{
    auto* b = control<QPushButton>(id);
    if (!b) {
        b = new QPushButton(QString::fromLatin1(buttonLabel(id)), frame());
        b->setObjectName(QString::number(id));
        b->setFocusPolicy(Qt::NoFocus);
        QObject::connect(b, &QPushButton::clicked, b, [id] { PostMessageA(sedrix.window, WM_COMMAND, WPARAM(id), 0); });
    }
    b->setText(QString::fromLatin1(buttonLabel(id)));
    b->setGeometry(at);
    b->show();
}

void label(int id, QRect at, Qt::Alignment align)
{
    auto* l = control<QLabel>(id);
    if (!l) {
        l = new QLabel(frame());
        l->setObjectName(QString::number(id));
    }
    l->setAlignment(align | Qt::AlignVCenter);
    l->setGeometry(at);
    l->show();
}

void showControl(int id, bool shown)
{
    if (QWidget* c = control<QWidget>(id))
        c->setVisible(shown);
}

// Header: "Sedrix", the latest reading, "Edit" and "Hide"; footer: the bounds after "E1" and
// "E2" (painted by the frame).
void normalControls(const SedrixGeometry& g)
{
    const int w = g.width, L = g.line, top = g.caption + 1, h = L - 2;
    const int buttonWidth = 38;
    button(IDC_SEDRIX_HIDE, QRect(w - 3 - buttonWidth, top, buttonWidth, h));
    button(IDC_SEDRIX_MODE, QRect(w - 5 - 2 * buttonWidth, top, buttonWidth, h));
    const int readingLeft = 50, readingWidth = (w - 8 - 2 * buttonWidth - readingLeft) / 2;
    label(IDC_SEDRIX_READING_E1, QRect(readingLeft, top, readingWidth, h), Qt::AlignLeft);
    label(IDC_SEDRIX_READING_E2, QRect(readingLeft + readingWidth, top, readingWidth, h), Qt::AlignLeft);
    const int footer = g.grid.bottom() + 2, half = w / 2;
    label(IDC_SEDRIX_E1MIN, QRect(FOOTER_MIN, footer, FOOTER_VALUE, h), Qt::AlignLeft);
    label(IDC_SEDRIX_E1MAX, QRect(FOOTER_MAX, footer, FOOTER_VALUE, h), Qt::AlignLeft);
    label(IDC_SEDRIX_E2MIN, QRect(half + FOOTER_MIN, footer, FOOTER_VALUE, h), Qt::AlignLeft);
    label(IDC_SEDRIX_E2MAX, QRect(half + FOOTER_MAX, footer, FOOTER_VALUE, h), Qt::AlignLeft);
}

// The bounds at the ends of the axes, the buttons in two rows below, the mouse's E1 and E2 under
// the selection window.
void editorControls(const SedrixGeometry& g)
{
    const QRect& grid = g.grid;
    const int h = g.caption, valueWidth = 30, axisWidth = grid.left() - 4 - 6;
    label(IDC_SEDRIX_E1MAX, QRect(2, grid.top() - h / 2, axisWidth, h), Qt::AlignRight);
    label(IDC_SEDRIX_E1MIN, QRect(2, grid.bottom() - h / 2, axisWidth, h), Qt::AlignRight);
    const int labelTop = grid.bottom() + 7;
    label(IDC_SEDRIX_E2MIN, QRect(grid.left() - valueWidth / 2, labelTop, valueWidth, h), Qt::AlignHCenter);
    label(IDC_SEDRIX_E2MAX, QRect(grid.right() - valueWidth / 2, labelTop, valueWidth, h), Qt::AlignHCenter);
    const int rowsTop = labelTop + h + 2, left = 4, right = 37 * g.cell - 4;
    const int buttonWidth = (right - left - 5 * 2) / 6;
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 6 && EDITOR_ROWS[row][i]; ++i)
            button(EDITOR_ROWS[row][i], QRect(left + i * (buttonWidth + 2), rowsTop + row * (h + 2), buttonWidth, h));
    const int mouseLeft = 37 * g.cell + 24;
    label(IDC_SEDRIX_MOUSE_E1, QRect(mouseLeft, rowsTop, 48, h), Qt::AlignLeft);
    label(IDC_SEDRIX_MOUSE_E2, QRect(mouseLeft, rowsTop + h + 2, 48, h), Qt::AlignLeft);
}

} // namespace

SedrixGeometry NormalGeometry()
{
    const ScreenMetrics& m = screenMetrics;
    const int cell = m.unit, caption = m.L - 2, side = BOX_CELLS * cell, border = 2;
    return SedrixGeometry{cell, caption, m.L, side + 2 * border, caption + m.L + side + m.L + border,
                          QRect(border, caption + m.L, side, side)};
}

SedrixGeometry EditGeometry()
{
    const ScreenMetrics& m = screenMetrics;
    const int cell = m.unitEdit, caption = m.L - 2, side = BOX_CELLS * cell;
    const QRect grid(5 * cell + 4, 2 * caption + 4, side, side);
    // Tall enough for the axis labels and the two rows of buttons under the grid, where a tall
    // caption line makes 40 cells too few.
    const int controlsBottom = grid.bottom() + 7 + 3 * (caption + 2) + 4;
    return SedrixGeometry{cell, caption, m.L, 55 * cell, std::max(40 * cell + caption, controlsBottom), grid};
}

void CreateModeControls()
{
    if (!frame())
        return;
    const SedrixGeometry g = CurrentGeometry();
    if (sedrix.editMode)
        editorControls(g);
    else
        normalControls(g);
    for (int id : {IDC_SEDRIX_HIDE, IDC_SEDRIX_READING_E1, IDC_SEDRIX_READING_E2})
        showControl(id, !sedrix.editMode);
}

void DestroyEditorControls()
{
    for (int id : EDITOR_ONLY)
        delete control<QWidget>(id);
}

void SetControlText(int id, const char* text)
{
    if (auto* b = control<QPushButton>(id))
        b->setText(QString::fromLatin1(text));
    else if (auto* l = control<QLabel>(id))
        l->setText(QString::fromLatin1(text));
}

void ShowBounds()
{
    const std::pair<int, float> bounds[] = {{IDC_SEDRIX_E2MAX, boxFile.e2Max},
                                            {IDC_SEDRIX_E2MIN, boxFile.e2Min},
                                            {IDC_SEDRIX_E1MAX, boxFile.e1Max},
                                            {IDC_SEDRIX_E1MIN, boxFile.e1Min}};
    for (const auto& [id, value] : bounds) {
        char text[32];
        std::snprintf(text, sizeof text, "%1.2f", value);
        SetControlText(id, text);
    }
}
