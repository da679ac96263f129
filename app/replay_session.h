// A run recorded to a file as it goes (--record), or a recorded run played
// back in the game's place (--replay), around the shared start-up and main
// loop. The game is the same for a seed, the input that reached it and the
// clock readings: a recording keeps those, a playback gives them back.
#pragma once
#include <cstdint>

#include "app/game_main.h"

// Before anything opens: the file named by options->recordPath is created, or
// the one named by options->replayPath read whole and checked, and its seed
// put into options. 0, or the exit status 2 after one line naming the file
// and the reason.
int PrepareReplay(GameMainOptions* options);
// Start-up is done (assets loaded, frame time reset): a recording writes its
// header with this seed; a playback sets the best score the run started with.
void BeginReplay(uint32_t seed);
// Start-up failed after PrepareReplay: nothing of it is kept.
void AbandonReplay();

enum class ReplayGate {
  Run,     // run the frame
  NotDue,  // a playback's next frame is not due yet
  Held,    // the player paused the playback
  Done,    // the playback is over and the window is closing
};
// Just before a frame: a recording samples the joysticks, a playback gives the
// frame its recorded input and time; the tick stays frozen through the frame.
ReplayGate BeforeReplayFrame();
// Just after it: a recording writes the frame.
void AfterReplayFrame();

// The window rules' key calls: a recording notes them (false: the rule runs);
// during a playback they are the player's controls, never the game's (true).
bool ReplayTakesKeyDown(int virtualKey);
bool ReplayTakesKeyUp(int virtualKey);

// The end of the run: a recording's trailer is written; a playback says in one
// line how it ended. The exit status: 1 when a playback did not match or was
// cut, else 0.
int EndReplay();

// For a platform's own page or menu. Ends the recording now (the trailer
// holds the game as it is) while the game goes on, so the file can be offered
// at once; nothing when no recording runs.
void FinishRecording();
// The same, into another file while the recording goes on: the copy plays to
// this frame and its trailer. False (with a line) when none runs or it fails.
bool CopyRecording(const char* path);
// The line a playback ended with, or why a file was refused; "" when none.
const char* ReplayOutcome();
