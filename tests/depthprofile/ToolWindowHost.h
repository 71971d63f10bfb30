// The program's main and chart windows, with a chart window that paints the chart's markers over
// a plain sea colour.
#pragma once

#include "chart/ChartHooks.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "ProgramWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

const QColor SEA(170, 210, 230);

// Stands in for the chart window's widget: the sea, then the markers, as the chart paints them.
class StandInChart : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), SEA);
        PaintChartMarkers(painter);
    }
};

class ToolWindowHost : public ProgramWindows {
protected:
    void SetUp() override
    {
        win::scripted::listen();
        ProgramWindows::SetUp();
        ComputeDefaultRects();
    }
    QWidget* makeChartWidget(QWidget* parent) override { return new StandInChart(parent); }
    void TearDown() override
    {
        ProgramWindows::TearDown();
        win::scripted::stopListening();
    }

    // Saved for looking at when TIDEVANE_GRABS names a folder.
    static void keepGrab(const QImage& image, const std::string& name)
    {
        const QString folder = qEnvironmentVariable("TIDEVANE_GRABS");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            image.save(folder + "/" + QString::fromStdString(name) + ".png");
    }
};
