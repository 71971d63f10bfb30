#include "frame/SedrixToolbar.h"

#include "HostWidget.h"
#include "ProgramCheckedButton.h"

#include "frame/ToolbarImages.h"
#include "frame/WindowLayout.h"
#include "platform/winuser.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

#include <array>
#include <map>

namespace {

using ToolButton = ProgramCheckedButton<QToolButton>;

struct ToolDef {
    int command;
    int image;
    const char* tooltip;
};

constexpr std::array<ToolDef, 5> tools{{
    {IDM_PAST_COLOUR, 0, nullptr},
    {IDM_MEASURE_TOOL, 1, "Measure Tool"},
    {IDM_SAVING, 2, "Add a route"},
    {IDM_QUERY_INFO, 3, "Draw arcs charts 1:1"},
    {IDM_TIDAL_ATLAS, 4, "Tidal atlas"},
}};

constexpr int ICON_SIZE = 16;

class ToolbarWidget : public QWidget {
public:
    ToolbarWidget(QWidget* parent, HWND toolbar) : QWidget(parent)
    {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(192, 192, 192));
        colours.setColor(QPalette::Button, QColor(192, 192, 192));
        setPalette(colours);
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(3, 2, 3, 2);
        row->setSpacing(1);
        for (const ToolDef& tool : tools) {
            auto* button = new ToolButton(this);
            button->setObjectName(QString::number(tool.command));
            button->setCheckable(true);
            button->setAutoRaise(true);
            button->setFocusPolicy(Qt::NoFocus);
            button->setIconSize(QSize(ICON_SIZE, ICON_SIZE));
            button->setIcon(ToolbarImage(tool.image, ICON_SIZE));
            if (tool.tooltip)
                button->setToolTip(tool.tooltip);
            connect(button, &QToolButton::clicked, this, [toolbar, id = tool.command] {
                PostMessageA(GetParent(toolbar), WM_COMMAND, WPARAM(id), LPARAM(toolbar));
            });
            row->addWidget(button);
            buttons_[tool.command] = button;
        }
        row->addSpacing(6);
        latitude_ = positionField("Position of cursor (Lat)");
        longitude_ = positionField("Position of cursor (Lng)");
        row->addWidget(latitude_);
        row->addWidget(longitude_);
        resize(sizeHint());
    }

    QToolButton* button(WPARAM command) const
    {
        auto it = buttons_.find(int(LOWORD(command)));
        return it == buttons_.end() ? nullptr : it->second;
    }
    void showPosition(const QString& latitude, const QString& longitude)
    {
        latitude_->setText(latitude);
        longitude_->setText(longitude);
    }

protected:
    void paintEvent(QPaintEvent*) override { paintFramedStrip(*this); }

private:
    QLineEdit* positionField(const char* tooltip)
    {
        auto* field = new QLineEdit(this);
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        field->setToolTip(tooltip);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000°00.0000'W")) + 12);
        return field;
    }

    std::map<int, QToolButton*> buttons_;
    QLineEdit* latitude_;
    QLineEdit* longitude_;
};

ToolbarWidget* toolbarWidget(HWND toolbar)
{
    return dynamic_cast<ToolbarWidget*>(win::widgetOf(toolbar));
}

LRESULT CALLBACK_SedrixToolbarProc(HWND toolbar, UINT message, WPARAM wParam, LPARAM lParam)
{
    ToolbarWidget* widget = toolbarWidget(toolbar);
    QToolButton* button = widget ? widget->button(wParam) : nullptr;
    switch (message) {
    case WM_TOOLBAR_CHECK:
        if (button)
            button->setChecked(lParam != 0);
        return 0;
    case WM_TOOLBAR_ENABLE:
        if (button)
            button->setEnabled(lParam != 0);
        return 0;
    case WM_TOOLBAR_IMAGE:
        if (button && LOWORD(wParam) == IDM_PAST_COLOUR)
            button->setIcon(ToolbarImage(PastColourImage(int(lParam)), ICON_SIZE));
        return 0;
    case WM_DESTROY:
        if (toolbar == hwndSedrixToolbar)
            hwndSedrixToolbar = nullptr;
        return 0;
    default:
        return DefWindowProcA(toolbar, message, wParam, lParam);
    }
}

} // namespace

int PastColourImage(int colourChoice)
{
    if (colourChoice >= 0 && colourChoice <= 3)
        return colourChoice + 6;
    return colourChoice == 5 ? 5 : 0;
}

HWND CreateSedrixToolbar(HWND parent)
{
    HWND toolbar = win::createWindow("SedrixToolbarWnd", "Toolbar Frame", CALLBACK_SedrixToolbarProc,
                                     parent, nullptr, RECT{0, 0, 0, 0});
    if (!toolbar)
        return nullptr;
    if (QWidget* host = hostWidget(parent)) {
        auto* widget = new ToolbarWidget(host, toolbar);
        win::attachWidget(toolbar, widget);
        widget->move(0, 0);
        widget->show();
        widget->raise();
    }
    hwndSedrixToolbar = toolbar;
    return toolbar;
}

void SetToolbarCursorPosition(const char* latitude, const char* longitude)
{
    if (ToolbarWidget* widget = toolbarWidget(hwndSedrixToolbar))
        widget->showPosition(QString::fromUtf8(latitude ? latitude : ""),
                             QString::fromUtf8(longitude ? longitude : ""));
}
