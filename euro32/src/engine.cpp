#include "engine.h"

#include "chartview.h"

#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "platform/profile.h"

#include <QApplication>
#include <QMdiArea>
#include <QPalette>
#include <QVBoxLayout>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace euro32 {

namespace {

bool isChartFile(const std::string& name)
{
    // Base cells (.000) carry their updates (.001...) with them; other vector files are layers.
    const std::string ext = std::filesystem::path(name).extension().string();
    std::string lower = ext;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    return lower == ".000" || lower == ".gpkg" || lower == ".shp" || lower == ".geojson" ||
           lower == ".json";
}

// The base map ships in data/basemap beside the engine library (or the program).
std::filesystem::path baseMapPath()
{
    if (const char* env = std::getenv("TIDEVANE_BASEMAP"))
        return env;
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&baseMapPath), &info) && info.dli_fname)
        return std::filesystem::path(info.dli_fname).parent_path() / "data" / "basemap" / "land.shp";
    return "data/basemap/land.shp";
}

} // namespace

Engine& engine()
{
    static Engine instance;
    return instance;
}

std::shared_ptr<ChartData> loadChartReporting(const std::string& hostPath)
{
    LoadResult r = loadChart(hostPath);
    if (!r.chart) {
        const std::string text = "Can't load chart \"" + std::filesystem::path(hostPath).filename().string() +
                                 "\": " + r.error;
        MessageBeep(MB_ICONEXCLAMATION);
        MessageBoxA(engine().parentWindow, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
    }
    return r.chart;
}

void loadInstalledCharts()
{
    Engine& e = engine();
    e.charts.clear();
    const std::string folder = chartFolder();
    const auto host = win::HostPath(folder);
    if (!host)
        return;
    for (const win::FoundFile& f : win::findFiles((folder + "\\*.*").c_str())) {
        if (f.directory || !isChartFile(f.name))
            continue;
        if (auto chart = loadChartReporting((*host / f.name).string()))
            e.charts.push_back(std::move(chart));
    }
    std::sort(e.charts.begin(), e.charts.end(),
              [](const auto& a, const auto& b) { return a->name < b->name; });
}

void loadBaseMap()
{
    const std::filesystem::path path = baseMapPath();
    LoadResult r = loadChart(path.string());
    if (!r.chart)
        TRACE_HOOK(("world base map not loaded: " + r.error).c_str());
    engine().baseMap = r.chart;
}

int chartIndex(const std::string& name)
{
    const auto& charts = engine().charts;
    for (size_t i = 0; i < charts.size(); ++i)
        if (charts[i]->name == name)
            return static_cast<int>(i);
    return -1;
}

Scene sceneFor(int selectedChart, bool catalogue)
{
    const Engine& e = engine();
    Scene s;
    s.baseMap = e.baseMap.get();
    s.settings = e.settings;
    s.scheme = e.scheme;
    s.blank = e.blank && !catalogue;
    s.catalogue = catalogue;
    for (size_t i = 0; i < e.charts.size(); ++i)
        if (static_cast<int>(i) != selectedChart)
            s.charts.push_back(e.charts[i].get());
    if (selectedChart >= 0 && selectedChart < static_cast<int>(e.charts.size()))
        s.charts.push_back(e.charts[selectedChart].get());
    return s;
}

void applyScheme(Scheme scheme)
{
    engine().scheme = scheme;
    // The program reads night from the system's button face colour, which the engine darkens
    // to 192 x SNIGHT at night, as a chart display darkens the whole screen.
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        static const QPalette daylight = QApplication::palette();
        QPalette palette = daylight;
        if (scheme == Scheme::Night) {
            const double factor = std::atof(readChartIni("OTHER", "SNIGHT", "0.5").c_str());
            const int level = std::clamp(static_cast<int>(192.0 * factor), 0, 255);
            palette.setColor(QPalette::Button, QColor(level, level, level));
            palette.setColor(QPalette::Window, QColor(level, level, level));
        }
        QApplication::setPalette(palette);
    }
    repaintAll();
}

QMdiArea* ensureMdiArea()
{
    Engine& e = engine();
    if (!e.mdi && e.mdiClient) {
        QWidget* client = win::widgetOf(e.mdiClient);
        if (auto* area = qobject_cast<QMdiArea*>(client)) {
            e.mdi = area;
        } else if (client) {
            // The client window has a plain widget: the chart windows fill it.
            e.mdi = new QMdiArea(client);
            auto* layout = new QVBoxLayout(client);
            layout->setContentsMargins(0, 0, 0, 0);
            layout->addWidget(e.mdi);
        }
        e.ownsMdi = false;
    }
    if (!e.mdi) {
        e.mdi = new QMdiArea;
        e.mdi->setWindowTitle(QString::fromStdString(e.title));
        e.ownsMdi = true;
    }
    return e.mdi;
}

void repaintAll()
{
    for (ChartView* v : chartViews())
        v->update();
}

} // namespace euro32
