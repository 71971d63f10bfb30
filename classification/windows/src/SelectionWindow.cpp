// The editor's selection window ("SelectionWnd"): the 32 classes one under the other, each with
// its colour, number and whole name; a click chooses the class to paint with.
#include "SedrixState.h"
#include "WindowWidget.h"

#include "chart/TrackPens.h"
#include "classification/SedrixNotifications.h"
#include "platform/gui.h"

#include <QPainter>

#include <algorithm>

namespace {

QRect entryRect(HWND window, int cls)
{
    RECT client;
    GetClientRect(window, &client);
    const int h = client.bottom / BOX_CLASSES;
    return QRect(0, cls * h, client.right, h);
}

void SelectionWnd_OnPaint(HWND window, QPainter& painter)
{
    FollowColourScheme();
    RECT client;
    GetClientRect(window, &client);
    painter.fillRect(QRect(0, 0, client.right, client.bottom), QColor(127, 127, 127));
    QFont font = painter.font();
    font.setPixelSize(std::max(8, int(client.bottom / BOX_CLASSES) - 2));
    painter.setFont(font);
    for (int cls = 0; cls < BOX_CLASSES; ++cls) {
        const QRect entry = entryRect(window, cls);
        const int swatch = entry.height() - 2;
        const QRect colour(entry.left() + 2, entry.top() + 1, 2 * swatch, swatch);
        painter.fillRect(colour, ClassBrushes[cls]);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(colour.adjusted(0, 0, -1, -1));
        const QRect textRect = entry.adjusted(colour.width() + 6, 0, -2, 0);
        const QString text = QString("%1 %2").arg(cls, 2).arg(QString::fromLatin1(boxFile.classNames[cls]));
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, textRect.width()));
        if (cls == sedrix.currentClass) {
            painter.setPen(Qt::white);
            painter.drawRect(entry.adjusted(0, 0, -1, -1));
        }
    }
}

LRESULT CALLBACK_SelectionWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONDOWN)
        return DefWindowProcA(window, message, wParam, lParam);
    const QPoint at(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    for (int cls = 0; cls < BOX_CLASSES; ++cls)
        if (entryRect(window, cls).contains(at))
            PostMessageA(GetParent(window), WM_SEDRIX_CLASS_CHOSEN, WPARAM(cls), 0);
    return 0;
}

} // namespace

HWND CreateSelectionWindow(HWND owner, QRect rect)
{
    HWND window = win::createWindow("SelectionWnd", "", CALLBACK_SelectionWndProc, owner, nullptr,
                                    RECT{rect.left(), rect.top(), rect.right() + 1, rect.bottom() + 1});
    if (QWidget* frame = win::widgetOf(owner)) {
        auto* widget = new WindowWidget(frame, window, SelectionWnd_OnPaint);
        win::attachWidget(window, widget);
        widget->setGeometry(rect);
        widget->show();
    }
    return window;
}
