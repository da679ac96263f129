#include "game/flow/catalogue.h"

#include "game/assets/assets.h"
#include "game/player/score.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"

void LoadAssets() {
  zuDraw::Screen(640, 480, 1);
  zuDraw::SetClip(130, 0, 510, 480);
  // A failed load leaves 0 in its global; the library keeps the entry taken, so the
  // later ids do not move.
  for (const CatalogueEntry& entry : catalogue) {
    if (entry.soundBuffers == 0) {
      *entry.id = zuDraw::LoadObject(entry.file, 2);
    } else {
      *entry.id = zuSound::LoadObject(entry.file, entry.soundBuffers);
    }
  }
  LoadBestScore();
  ChangeScene(SCENE_TITLE);
}
