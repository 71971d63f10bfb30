#include "replay/ReplayFlags.h"

#include "recording/ModuleBinding.h"

ReplayFlag bStop{1};
ReplayFlag bPause{0};
ReplayFlag bStep{0};
ReplayFlag bFast{0};
ReplayFlag bRewind{0};
ReplayFlag bReverse{0};
ReplayFlag ctReplayInterval{200};
HWND hReplayCounterWnd = nullptr;

std::atomic<bool> bReplayRedrawPending{false};
ReplayDisplay replayDisplay;

namespace {
bool moduleFlag(const std::atomic<int32_t>* flag) { return flag && flag->load(); }
} // namespace

int32_t ReplayJump(int32_t fromButton)
{
    bool stopped = false;
    if (moduleFlag(hSwath.pfStopReplayAtEOF)) {
        bStop = 1;
        bFast = 0;
        bRewind = 0;
        bReverse = 0;
        if (replayDisplay.updateButtons)
            replayDisplay.updateButtons();
        stopped = true;
    }
    if (moduleFlag(hSwath.pfEraseOnRepeat) && fromButton == 0) {
        if (stopped)
            bReplayRedrawPending = true;
        else if (replayDisplay.eraseCurrentTrack)
            replayDisplay.eraseCurrentTrack();
        return stopped ? 1 : 0;
    }
    if (replayDisplay.breakCurrentTrackLines)
        replayDisplay.breakCurrentTrackLines();
    return stopped ? 1 : 0;
}
