// MIDI music through the MCI sequencer, under the one alias "midi". A piece
// loops: it plays with notification to the window, and the end notification
// starts it again.

#include <cstdio>
#include <cwchar>

#include "lib/sound/soundInternal.h"
#include "lib/sound/soundPlatform.h"
#include "lib/system/systemPlatform.h"
#include "lib/system/zuSystem.h"
#include "lib/win32/soundWin32.h"
#include "lib/win32/win32.h"

namespace zuSound {


namespace {

bool noDeviceTold = false;

MCIERROR Send(const wchar_t* command, wchar_t* answer = nullptr, UINT answerSize = 0) {
  return mciSendStringW(command, answer, answerSize, mainWindow);
}

void PlayFromStart() {
  Send(L"seek midi to start");
  Send(L"play midi notify");
}

}  // namespace

void PlatformInitMidi() {
  midiOpen = 0;
  midiLoop = 1;
}

void PlatformPlayMidi(const char* name) {
  static char path[4096];
  const int n = std::snprintf(path, sizeof path, "%s%s", zuSystem::GetAppPath(), name);
  if (midiOpen) PlatformStopMidi();
  midiOpen = 1;
  midiLoop = 1;
  // A missing or unreadable piece means silence, and no message; so does one
  // that the sequencer would choke on. The headless runner plays nothing.
  if (zuSystem::headlessRun || n < 0 || static_cast<size_t>(n) >= sizeof path) return;
  FILE* f = zuSystem::OpenFile(path, "rb");
  if (f == nullptr) return;
  const int playable = MidiFileIsPlayable(f);
  std::fclose(f);
  if (!playable) return;
  static wchar_t command[4200];
  static wchar_t widePath[4096];
  zuSystem::Widen(path, widePath, 4096);
  // The full path in double quotes, so it may hold spaces.
  std::swprintf(command, 4200, L"open \"%ls\" type sequencer alias midi", widePath);
  const MCIERROR error = Send(command);
  if (error != 0) {
    if (!noDeviceTold) {
      // No sequencer (no MIDI device): say it once, then play on in silence.
      wchar_t reason[256] = L"";
      char text[512] = "";
      mciGetErrorStringW(error, reason, 256);
      zuSystem::Narrow(reason, text, sizeof text);
      std::fprintf(stderr, "Skyward Run: the MIDI sequencer cannot play (%s); the music stays silent.\n",
                   text);
      std::fflush(stderr);
      noDeviceTold = true;
    }
    return;
  }
  PlayFromStart();
}

void PlatformStopMidi() {
  if (!midiOpen) return;
  Send(L"stop midi");
  Send(L"close midi");
  midiOpen = 0;
}

void PlatformRestartMidi() {
  if (!midiLoop) {
    PlatformStopMidi();
    return;
  }
  PlayFromStart();
}

void OnMciNotify(unsigned code) {
  // Only a piece that is open and came to its end starts again; a play that
  // was superseded or aborted is not.
  if (code != MCI_NOTIFY_SUCCESSFUL || !midiOpen) return;
  wchar_t mode[32] = L"";
  Send(L"status midi mode", mode, 32);
  if (mode[0] == L's' && mode[1] == L't') RestartMidi();
}

void PlatformMusicFinished() { OnMciNotify(MCI_NOTIFY_SUCCESSFUL); }

}  // namespace zuSound
