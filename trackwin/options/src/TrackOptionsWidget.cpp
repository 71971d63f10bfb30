#include "TrackOptionsWidget.h"

#include "trackwin/TrackOptions.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

constexpr const char* COLOUR_NAMES[6] = {"Black", "Red", "Green", "Grey", "Sedrix", "Depth"};

QCheckBox* checkBox(HWND window, const char* text, int id)
{
    return static_cast<QCheckBox*>(CommandButton(window, new QCheckBox(text), id));
}

QLabel* valueText(int id)
{
    auto* label = win::withId(new QLabel, id);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("0000") + 6);
    return label;
}

// A value, its scroll bar and the text after it on one row of a grid.
void addStepper(QGridLayout* grid, int row, HWND window, const char* caption, int textId, int scrollId,
                QWidget* after = nullptr)
{
    grid->addWidget(new QLabel(caption), row, 0);
    grid->addWidget(valueText(textId), row, 1);
    auto* bar = new LineScrollBar(window, scrollId);
    bar->setFixedSize(16, 2 * bar->fontMetrics().height());
    grid->addWidget(bar, row, 2);
    if (after)
        grid->addWidget(after, row, 3);
}

// Radio buttons whose group the procedure keeps: exclusive by its rule, not Qt's.
QWidget* colourButtons(HWND window, const int (&ids)[6])
{
    auto* box = new QGroupBox("Colour");
    auto* grid = new QGridLayout(box);
    for (int code = 0; code < 6; ++code) {
        auto* radio = new QRadioButton(COLOUR_NAMES[code]);
        radio->setAutoExclusive(false);
        grid->addWidget(CommandButton(window, radio, ids[code]), code % 3, code / 3);
    }
    return box;
}

QGroupBox* currentTrackGroup(HWND window)
{
    auto* group = new QGroupBox("Current Track");
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(checkBox(window, "Visible", IDC_CURRENT_VISIBLE));
    layout->addWidget(checkBox(window, "Join points", IDC_CURRENT_JOIN));
    layout->addWidget(colourButtons(window, CURRENT_COLOUR_BUTTONS));
    auto* grid = new QGridLayout;
    addStepper(grid, 0, window, "Pen width", IDC_CURRENT_PEN, IDC_CURRENT_PEN_SCROLL);
    auto* unit = win::withId(new QLabel, IDC_SAVE_EVERY_UNIT);
    unit->setMinimumWidth(unit->fontMetrics().horizontalAdvance("th point") + 4);
    addStepper(grid, 1, window, "Save every:", IDC_SAVE_EVERY, IDC_SAVE_EVERY_SCROLL, unit);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    layout->addStretch();
    return group;
}

QGroupBox* pastTrackGroup(HWND window)
{
    auto* group = new QGroupBox("Past Track");
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(checkBox(window, "Visible", IDC_PAST_VISIBLE));
    layout->addWidget(checkBox(window, "Join points", IDC_PAST_JOIN));
    layout->addWidget(colourButtons(window, PAST_COLOUR_BUTTONS));
    auto* grid = new QGridLayout;
    addStepper(grid, 0, window, "Pen width", IDC_PAST_PEN, IDC_PAST_PEN_SCROLL);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    layout->addWidget(checkBox(window, "Track outlining", IDC_OUTLINING));
    layout->addWidget(checkBox(window, "Show all tracks", IDC_SHOW_ALL_TRACKS));
    layout->addStretch();
    return group;
}

QGroupBox* transducerGroup(HWND window)
{
    auto* group = new QGroupBox("Transducers");
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(checkBox(window, "Show All", IDC_SHOW_ALL_TRANSDUCERS));
    constexpr const char* names[7] = {"Show -3", "Show -2", "Show -1", "Show 0",
                                      "Show +1", "Show +2", "Show +3"};
    for (int k = 0; k < 7; ++k)
        layout->addWidget(checkBox(window, names[k], IDC_SHOW_MINUS3 + k));
    auto* grid = new QGridLayout;
    addStepper(grid, 0, window, "Plot density", IDC_DENSITY, IDC_DENSITY_SCROLL, new QLabel("%"));
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    layout->addStretch();
    return group;
}

QPushButton* pushButton(HWND window, const char* text, int id)
{
    return static_cast<QPushButton*>(CommandButton(window, new QPushButton(text), id));
}

} // namespace

ToolFrame* CreateTrackOptionsWidget(QWidget* host, HWND window)
{
    const int caption = QFontMetrics(host->font()).height() + 6;
    auto* frame = new ToolFrame(host, window, "Track Options", caption);
    auto* layout = new QVBoxLayout(frame);
    layout->setContentsMargins(8, caption + 6, 8, 8);

    auto* groups = new QHBoxLayout;
    groups->addWidget(currentTrackGroup(window));
    groups->addWidget(pastTrackGroup(window));
    groups->addWidget(transducerGroup(window));
    layout->addLayout(groups);

    auto* replay = new QHBoxLayout;
    replay->addWidget(checkBox(window, "Stop at end of replay", IDC_STOP_AT_EOF));
    replay->addWidget(checkBox(window, "Erase on Repeat", IDC_ERASE_ON_REPEAT));
    replay->addStretch();
    layout->addLayout(replay);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pushButton(window, "Depth Scale >>", IDC_DEPTH_SCALE));
    buttons->addStretch();
    QPushButton* ok = pushButton(window, "OK", IDOK);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(pushButton(window, "Discard changes", IDCANCEL));
    layout->addLayout(buttons);
    return frame;
}
