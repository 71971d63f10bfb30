#include "actions.h"

#include "chartview.h"
#include "engine.h"
#include "windows.h"

#include "platform/files.h"
#include "platform/gui.h"
#include "platform/messages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QProgressDialog>

#include <filesystem>
#include <system_error>

namespace euro32 {

namespace {

// Control identifiers of the settings dialog, for scripted runs.
enum SettingsControl { kShallow = 1, kSafety, kDeep, kSoundings, kText, kGrid, kCoverage };

// OK and Cancel at the foot of a dialog.
void addButtons(QDialog& dialog, QFormLayout& form)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form.addRow(buttons);
}

bool settingsDialog(DisplaySettings& s)
{
    QDialog dialog;
    dialog.setWindowTitle("Chart Settings");
    auto* form = new QFormLayout(&dialog);
    auto depth = [&](const char* label, double value, int id) {
        auto* box = new QDoubleSpinBox;
        box->setRange(0, 500);
        box->setDecimals(1);
        box->setSuffix(" m");
        box->setValue(value);
        box->setObjectName(QString::number(id));
        form->addRow(label, box);
        return box;
    };
    auto check = [&](const char* label, bool value, int id) {
        auto* box = new QCheckBox(label);
        box->setChecked(value);
        box->setObjectName(QString::number(id));
        form->addRow(box);
        return box;
    };
    QDoubleSpinBox* shallow = depth("Shallow contour", s.shallowContour, kShallow);
    QDoubleSpinBox* safety = depth("Safety contour", s.safetyContour, kSafety);
    QDoubleSpinBox* deep = depth("Deep contour", s.deepContour, kDeep);
    QCheckBox* soundings = check("Soundings", s.soundings, kSoundings);
    QCheckBox* text = check("Text", s.text, kText);
    QCheckBox* grid = check("Grid", s.grid, kGrid);
    QCheckBox* coverage = check("Chart coverage", s.coverage, kCoverage);
    addButtons(dialog, *form);
    if (win::execModal(dialog, "Chart Settings") != QDialog::Accepted)
        return false;
    s.shallowContour = shallow->value();
    s.safetyContour = safety->value();
    s.deepContour = deep->value();
    s.soundings = soundings->isChecked();
    s.text = text->isChecked();
    s.grid = grid->isChecked();
    s.coverage = coverage->isChecked();
    return true;
}

void settings()
{
    DisplaySettings s = engine().settings;
    if (!settingsDialog(s))
        return;
    if (!(s.shallowContour <= s.safetyContour && s.safetyContour <= s.deepContour)) {
        MessageBeep(MB_ICONEXCLAMATION);
        MessageBoxA(engine().parentWindow, "The contours must run shallow <= safety <= deep.", kCaption,
                    MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    engine().settings = s;
    saveDisplaySettings(s);
    repaintAll();
}

// The files to install, separated by ';' in the dialog's edit (id 1), with a Browse button.
std::vector<std::string> chooseFiles()
{
    QDialog dialog;
    dialog.setWindowTitle("Install Charts");
    auto* form = new QFormLayout(&dialog);
    auto* files = new QLineEdit;
    files->setObjectName("1");
    files->setMinimumWidth(400);
    auto* browse = new QPushButton("Browse...");
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        const QStringList chosen = QFileDialog::getOpenFileNames(
            &dialog, "Install Charts", QString(),
            "Charts (*.000 *.gpkg *.shp *.geojson *.json);;All files (*)");
        if (!chosen.isEmpty())
            files->setText(chosen.join(';'));
    });
    form->addRow("Chart files:", files);
    form->addRow(browse);
    addButtons(dialog, *form);
    std::vector<std::string> result;
    if (win::execModal(dialog, "Install Charts") != QDialog::Accepted)
        return result;
    for (const QString& f : files->text().split(';', Qt::SkipEmptyParts))
        result.push_back(f.trimmed().toStdString());
    return result;
}

// A base cell travels with its update files (.001, .002...), a shapefile with its parts.
std::vector<std::filesystem::path> withUpdates(const std::filesystem::path& file)
{
    std::vector<std::filesystem::path> all{file};
    if (file.extension() == ".shp") {
        for (const char* ext : {".shx", ".dbf", ".prj", ".cpg"}) {
            std::filesystem::path part = file;
            if (std::filesystem::exists(part.replace_extension(ext)))
                all.push_back(part);
        }
        return all;
    }
    if (file.extension() != ".000")
        return all;
    for (int n = 1; n < 1000; ++n) {
        char ext[8];
        std::snprintf(ext, sizeof ext, ".%03d", n);
        std::filesystem::path update = file;
        update.replace_extension(ext);
        if (!std::filesystem::exists(update))
            break;
        all.push_back(update);
    }
    return all;
}

void folio()
{
    const auto& charts = engine().charts;
    ChartView* view = topChartView();
    if (!view)
        return;
    if (charts.empty()) {
        MessageBoxA(engine().parentWindow, "No charts are installed.", kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    QDialog dialog;
    dialog.setWindowTitle("Folio");
    auto* form = new QFormLayout(&dialog);
    auto* names = new QComboBox;
    names->setObjectName("1");
    for (const auto& c : charts)
        names->addItem(QString::fromStdString(c->name));
    names->setCurrentIndex(std::max(view->selectedChart(), 0));
    form->addRow("Installed charts:", names);
    addButtons(dialog, *form);
    if (win::execModal(dialog, "Folio") != QDialog::Accepted)
        return;
    const std::string chosen = names->currentText().toStdString();
    const int index = chartIndex(chosen);
    if (index >= 0)
        view->selectChart(index, true);
}

} // namespace

int installCharts(const std::vector<std::string>& files)
{
    const std::string folder = chartFolder();
    if (!win::isDirectory(folder.c_str()))
        win::mkdir(folder.c_str());
    const auto target = win::HostPath(folder);
    if (!target) {
        MessageBoxA(engine().parentWindow, ("The chart folder " + folder + " does not exist.").c_str(), kCaption,
                    MB_OK | MB_ICONERROR);
        return 0;
    }
    std::vector<std::filesystem::path> all;
    for (const std::string& f : files)
        for (const auto& p : withUpdates(f))
            all.push_back(p);
    std::unique_ptr<QProgressDialog> progress;
    if (!win::isHeadless()) {
        progress = std::make_unique<QProgressDialog>("Installing charts...", "Cancel", 0,
                                                     static_cast<int>(all.size()));
        progress->setWindowTitle("Install");
        progress->setMinimumDuration(0);
    }
    int copied = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        if (progress) {
            progress->setValue(static_cast<int>(i));
            if (progress->wasCanceled())
                break;
        }
        std::error_code ec;
        std::filesystem::copy_file(all[i], *target / all[i].filename(),
                                   std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            const std::string text = "Can't install " + all[i].filename().string() + ": " + ec.message();
            MessageBeep(MB_ICONERROR);
            MessageBoxA(engine().parentWindow, text.c_str(), "Install", MB_OK | MB_ICONERROR);
            continue;
        }
        ++copied;
    }
    if (progress)
        progress->setValue(static_cast<int>(all.size()));
    if (copied)
        doAction(EC_ACTION_RELOAD);
    return copied;
}

bool doAction(int action)
{
    Engine& e = engine();
    ChartView* top = topChartView();
    switch (action) {
    case EC_ACTION_BLANK:
    case EC_ACTION_NORMAL:
        // The program closes its chart window first and takes the new one this opens.
        e.blank = action == EC_ACTION_BLANK;
        for (ChartView* v : chartViews())
            v->updateTitle();
        repaintAll();
        return openChartWindow(0, 0, 0, 0) != nullptr;
    case EC_ACTION_SETTINGS:
        settings();
        return true;
    case EC_ACTION_INSTALL:
        installCharts(chooseFiles());
        return true;
    case EC_ACTION_COLOUR:
        applyScheme(nextScheme(e.scheme));
        return true;
    case EC_ACTION_FOLIO:
        folio();
        return true;
    case EC_ACTION_CATALOGUE:
        if (top)
            top->setCatalogue(true);
        return top != nullptr;
    case EC_ACTION_RELOAD: {
        // Windows keep their chart by name across the reload.
        std::vector<std::pair<ChartView*, std::string>> shown;
        for (ChartView* v : chartViews())
            shown.push_back({v, v->selectedChart() >= 0 ? e.charts[v->selectedChart()]->name : ""});
        loadInstalledCharts();
        for (auto& [v, name] : shown) {
            const int index = chartIndex(name);
            v->selectChart(index >= 0 ? index : (e.charts.empty() ? -1 : 0), index < 0);
        }
        return true;
    }
    case EC_ACTION_REDRAW:
        repaintAll();
        return true;
    default:
        return false;
    }
}

} // namespace euro32
