// The conditions of use, accepted before the chart is used for navigation.
#include "frame/Program.h"

#include "platform/dialogcontrols.h"
#include "platform/gui.h"

#include <QDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int IDC_ACCEPT = 1;
constexpr int IDC_DECLINE = 2;

const char* const conditions[] = {
    "This program is an aid to navigation. It complements, and does not replace, the official "
    "paper charts.",
    "The official paper chart is always to be considered more accurate than the chart shown here.",
    "No responsibility is taken for the accuracy of the charts shown.",
    "The charts are used under the terms of use of their supplier, which the user accepts by "
    "using them.",
};

} // namespace

int ShowDisclaimer(HWND chartWindow)
{
    QDialog dialog(win::widgetOf(chartWindow));
    dialog.setWindowTitle("Varnel Swath 5,0,3,0S Replay");
    auto* layout = new QVBoxLayout(&dialog);
    for (const char* text : conditions) {
        auto* label = new QLabel(text);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* accept = win::withId(new QPushButton("I  have read and ACCEPT the above conditions"), IDC_ACCEPT);
    auto* decline = win::withId(new QPushButton("I do NOT ACCEPT the above conditions."), IDC_DECLINE);
    accept->setDefault(true);
    layout->addWidget(accept);
    layout->addWidget(decline);
    QObject::connect(accept, &QPushButton::clicked, &dialog, [&] { dialog.done(1); });
    QObject::connect(decline, &QPushButton::clicked, &dialog, [&] { dialog.done(0); });
    dialog.setMinimumWidth(480);
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->geometry().center() - dialog.rect().center());
    dialog.raise();
    // Headless, the queued answer's code decides: IDCANCEL (2) declines, anything else accepts.
    const intptr_t result = win::execModal(dialog, "DISCLAIMER_DIALOG");
    return result == 0 || (win::isHeadless() && result == IDC_DECLINE) ? 0 : 1;
}
