// The replay window over a stand-in main window and chart window, with message boxes
// recorded, the replay flags as the program starts them, and a module loaded by name.
#pragma once

#include "ProgramWindows.h"

#include "frame/Inifile.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "recording/ModuleBinding.h"
#include "replay/ReplayFlags.h"
#include "replay/ReplayWindow.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <string>

inline void ResetReplayFlags()
{
    bStop = 1;
    bPause = bStep = bFast = bRewind = bReverse = 0;
    ctReplayInterval = 200;
    bReplayRedrawPending = false;
}

class ReplayWindowTest : public ProgramWindows {
protected:
    void SetUp() override
    {
        ProgramWindows::SetUp();
        ComputeDefaultRects();
        win::scripted::listen();
        ResetReplayFlags();
        replayDisplay = {};
    }
    void TearDown() override
    {
        if (hwndReplay)
            DestroyWindow(hwndReplay);
        if (hSwath.handle)
            UnloadSwathModule();
        replayDisplay = {};
        ResetReplayFlags();
        win::scripted::stopListening();
        ProgramWindows::TearDown();
    }

    // The real replay module, bound as the program binds it, not started.
    void loadReplayModule()
    {
        ASSERT_TRUE(LoadSwathModule(nullptr, "Sonkel32r"));
        ASSERT_GE(BindTrackData(nullptr), 0);
        ASSERT_TRUE(hSwath.pfStopReplayAtEOF && hSwath.pfEraseOnRepeat);
    }

    QWidget* dialog() const { return win::widgetOf(hwndReplay); }
    template <typename W = QWidget>
    W* control(int id) const
    {
        return dialog() ? dialog()->findChild<W*>(QString::number(id)) : nullptr;
    }
    bool checked(int id) const { return control<QAbstractButton>(id)->isChecked(); }
    void click(int id) const { QTest::mouseClick(control<QAbstractButton>(id), Qt::LeftButton); }
    std::string counterText() const { return control<QLineEdit>(IDC_REPLAY_COUNTER)->text().toStdString(); }
    static std::string profileText(const char* section, const char* key)
    {
        char text[32] = "";
        GetPrivateProfileStringA(section, key, "", text, sizeof text, VARNEL_INI);
        return text;
    }
    static std::string status() { return profileText("ReplayWnd", "Status"); }
};
