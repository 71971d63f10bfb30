// The steps of a run, in the order the program takes them. Each returns what the next needs.
#pragma once

#include <optional>
#include <vector>

namespace replaymake {

// Exit codes of a run.
constexpr int EXIT_WRITTEN = 1;
constexpr int EXIT_STOPPED = 0;
constexpr int EXIT_NO_OVERLAY_FOLDER = 1;
constexpr int EXIT_NO_TRACKS_INF = 2;
constexpr int EXIT_TRACKS_INF_UNREADABLE = 3;
constexpr int EXIT_TRACKS_INF_DAMAGED = 4;
constexpr int EXIT_OUT_OF_MEMORY = 20;
constexpr int EXIT_NO_TRACK_STATUS = 31;
constexpr int EXIT_STEREO_DATABASE = 33;

// Banner, track status check, configuration, the move into the track overlay folder and the
// objects report. Nothing to go on, or the exit code of a failed check.
std::optional<int> RunStartChecks();

// The paged listing of tracks.inf.
void ListTracks();

// The tracks the user wants: nothing for all tracks, else the numbers typed.
struct Selection {
    bool all = true;
    std::vector<long> handles;
};
// The selection, or nothing when memory ran out.
std::optional<Selection> AskSelection();

// Writes the replay files; the exit code.
int GenerateReplayFiles(const Selection& selection);

// Closes the preliminary checks: shows "Press a key", waits for it and gives back `code`.
int ExitAfterKey(int code);

} // namespace replaymake
