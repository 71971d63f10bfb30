// The Qt side of the platform: the GUI thread, widgets behind window handles, the start-up of
// a GUI program, the Qt message boxes and screens, and modal dialogs with a headless path.
#pragma once

#include "platform/messages.h"
#include "platform/screen.h"
#include "platform/winuser.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QDialog;
class QWidget;

namespace win {

// The thread of the QCoreApplication (any thread is, while there is none).
bool isGuiThread();
// Runs fn on the GUI thread and returns its result: at once when called there, otherwise
// queued on the event loop while the caller waits. 0 when the application goes away first.
LRESULT callOnGuiThread(std::function<LRESULT()> fn);
// Waits this long; on the GUI thread it keeps processing events (so other threads' SendMessageA
// and window creation go through), elsewhere it just sleeps.
void waitProcessingEvents(DWORD ms);

// The widget shown for a window. Attaching takes over the handle's title and, when it has a
// size, its rectangle; deleting the widget destroys the window. GUI thread only.
bool attachWidget(HWND window, QWidget* widget);
QWidget* widgetOf(HWND window);
HWND windowOf(const QWidget* widget);

// Called by the programs once their QApplication exists: installs the Qt screens and the window
// rectangles for the monitor functions and picks the message-box backend (Qt's on a real
// display, the scripted one when headless).
void startGuiPlatform();
// Headless: no QApplication, the offscreen or minimal platform, or TIDEVANE_HEADLESS=1.
bool isHeadless();
bool headlessPlatform(std::string_view platformName);

std::shared_ptr<MessageBoxBackend> qtMessageBoxBackend();
// The screens as Qt sees them, the primary first. Safe from any thread (other threads get the
// layout the GUI thread saw last).
ScreenLayout qtScreenLayout();

// Runs the dialog modally and returns its result code. Headless it takes the result queued
// for this name (scripted::queueDialog), puts the queued texts into the controls named by their
// identifiers (objectName), and ends the dialog with the queued code (IDOK when none is queued).
intptr_t execModal(QDialog& dialog, const std::string& name);

} // namespace win
