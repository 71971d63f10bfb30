// The widget of the chart window: paints the screen image and the markers over it, and turns
// the mouse into messages to the chart window's procedure and the cursor position.
#pragma once

#include "platform/windef.h"

#include <QPoint>
#include <QWidget>

#include <optional>

class ChartWidget : public QWidget {
public:
    explicit ChartWidget(HWND handle);

    // The zoom box being dragged, in client pixels.
    std::optional<QRect> zoomBand() const;
    // The chart window's own handling of the left button: the zoom box.
    void zoomPress(QPoint at);
    void zoomMove(QPoint at);
    void zoomRelease(QPoint to);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    HWND handle_;
    std::optional<QPoint> dragFrom_;
    QPoint dragTo_;
};
