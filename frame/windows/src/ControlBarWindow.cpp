#include "ControlBarWindow.h"

#include "HostWidget.h"
#include "WindowPlacement.h"

#include "frame/ControlBars.h"
#include "frame/WindowLayout.h"
#include "platform/profile.h"

#include <QPainter>
#include <QPushButton>

#include <array>
#include <cstring>
#include <strings.h>
#include <vector>

namespace {

// The labels array holds at most STANDARDBUTTONCOUNT buttons: no bar can have more.
struct BarDef {
    int id;
    int buttons;
    int buttonWidth;
    std::array<const char*, STANDARDBUTTONCOUNT> labels;
    unsigned createdDisabled; // bit i: button i (0-based)
};

constexpr int CHART_COMMAND_BAR = 2;
constexpr int CHART_COMMAND_BAR_CATALOGUE = 10;

constexpr std::array<BarDef, 6> bars{{
    {0, 10, 87,
     {"Hide/Quit", "Chart", "Query", "Chart Edit", "Tracks", "Inst", "Displays", "Redraw",
      "Show 3D", "3D Options"},
     0},
    {1, 9, 87,
     {"Hide", "Sedrix", "Depth", "Seabed", "Position", "Route", "TitleBar", "Swath", "Replay"},
     0},
    {CHART_COMMAND_BAR, 9, 87,
     {"Hide", "Overlays", "Settings", "Install", "Blank", "Colour", "AutoScroll", "Full", "Folio",
      "Catalogue"},
     0},
    {4, 4, 87, {"Hide", "Measure", "Marks", "Info"}, 1u << 2},
    {5, 5, 87, {"Hide", "Symbols", "Draw", "Waypoints", "Text"}, 0},
    {TWO_BUTTON_BAR, 2, 20, {"M", "Q"}, 0},
}};

const BarDef* findBar(int barId)
{
    for (const BarDef& bar : bars)
        if (bar.id == barId)
            return &bar;
    return nullptr;
}

// The chart engine's settings file names its chart folders; the chart command bar offers the
// catalogue only then.
bool chartPathsConfigured()
{
    std::vector<char> sections(8192);
    GetPrivateProfileStringA(nullptr, nullptr, "", sections.data(), DWORD(sections.size()),
                             ".\\chart.ini");
    for (const char* name = sections.data(); *name; name += std::strlen(name) + 1)
        if (strcasecmp(name, "CHARTPATHS") == 0)
            return true;
    return false;
}

int buttonCount(const BarDef& bar)
{
    if (bar.id == CHART_COMMAND_BAR && chartPathsConfigured())
        return CHART_COMMAND_BAR_CATALOGUE;
    return bar.buttons;
}

// Grey, framed in black, its push buttons labelled in black.
class ControlBarWidget : public QWidget {
public:
    ControlBarWidget(QWidget* parent, HWND bar, const BarDef& def, int count) : QWidget(parent)
    {
        const int L = screenMetrics.L;
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(192, 192, 192));
        colours.setColor(QPalette::Button, QColor(192, 192, 192));
        colours.setColor(QPalette::ButtonText, Qt::black);
        setPalette(colours);
        QFont font = this->font();
        font.setPixelSize(LineFontPixels(L));
        setFont(font);
        for (int i = 0; i < count; ++i) {
            auto* button = new QPushButton(QString::fromLatin1(def.labels[i]), this);
            button->setObjectName(QString::number(i + 1));
            button->setGeometry(i * (def.buttonWidth + 2), 2, def.buttonWidth, L - 4);
            button->setFocusPolicy(Qt::NoFocus);
            button->setEnabled(!(def.createdDisabled & (1u << i)));
            connect(button, &QPushButton::clicked, this, [bar, id = def.id, n = i + 1] {
                SendMessageA(GetParent(bar), WM_CONTROLBAR_COMMAND, WPARAM(id), LPARAM(n));
            });
            buttons_.push_back(button);
        }
    }

    // The lowest bit governs the last button.
    void enableButtons(WPARAM mask)
    {
        const size_t n = buttons_.size();
        for (size_t i = 0; i < n; ++i)
            buttons_[i]->setEnabled((mask >> (n - 1 - i)) & 1);
    }

protected:
    void paintEvent(QPaintEvent*) override { paintFramedStrip(*this); }

private:
    std::vector<QPushButton*> buttons_;
};

LRESULT CALLBACK_ControlBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CONTROLBAR_ENABLE:
        if (auto* widget = dynamic_cast<ControlBarWidget*>(win::widgetOf(bar)))
            widget->enableButtons(wParam);
        return 0;
    case WM_DESTROY:
        // Destroyed with the chart window, the bar leaves the stack too.
        ForgetControlBar(bar);
        return 0;
    default:
        return DefWindowProcA(bar, message, wParam, lParam);
    }
}

} // namespace

bool IsControlBarId(int barId) { return findBar(barId) != nullptr; }

HWND CreateControlBarWindow(int barId, HWND owner, int screenY)
{
    const BarDef* def = findBar(barId);
    if (!def || !IsWindow(owner))
        return nullptr;
    const ScreenMetrics& m = screenMetrics;
    const int count = buttonCount(*def);
    const bool twoButtons = def->id == TWO_BUTTON_BAR;
    const int width = twoButtons ? count * (def->buttonWidth + 2) : m.W;
    const int x = twoButtons ? m.W - width : 0;
    const int y = ChartClientY(owner, screenY);
    HWND bar = win::createWindow("ControlBar", twoButtons ? "2 Button Control" : "Full Control",
                                 CALLBACK_ControlBarProc, owner, nullptr,
                                 RECT{x, y, x + width, y + m.L});
    if (!bar)
        return nullptr;
    SetWindowLongPtrA(bar, CONTROLBAR_ID, def->id);
    if (QWidget* host = hostWidget(owner)) {
        auto* widget = new ControlBarWidget(host, bar, *def, count);
        win::attachWidget(bar, widget);
        widget->show();
        widget->raise();
    }
    return bar;
}
