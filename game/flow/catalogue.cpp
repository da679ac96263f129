#include "game/flow/catalogue.h"

#include "game/flow/scene.h"
#include "game/playfield.h"
#include "game/player/score.h"
#include "lib/draw/zuDraw.h"
#include "lib/sound/zuSound.h"

int objTITLE = 0, objSELECT1 = 0, objJCG1 = 0, objJCG2 = 0, objJCG3 = 0, objJCG4 = 0, objCONTINU1 = 0, objGFBAK1 = 0, objMY = 0, objMYMY = 0;
int objMYEND = 0, objMYENDF = 0, objMYGOODN = 0, objFBOM1 = 0, objFLH1 = 0, objFLH2 = 0, objFLH3 = 0, objFBAK1 = 0;
int objZAK2 = 0, objZAK4 = 0, objZAK5 = 0, objZAK6 = 0, objZAK7 = 0, objZAK8 = 0, objZAK9 = 0, objZAK10 = 0;
int objZAK11 = 0, objZAK12 = 0, objZAK13 = 0, objZAK14 = 0, objZAK16 = 0, objZAK18 = 0, objZAK64 = 0, objZAK22 = 0;
int objZAK24 = 0, objZAK28 = 0, objZAK50 = 0, objZAK51 = 0, objZAK52 = 0, objZAK53 = 0, objVAL11 = 0, objVAL12 = 0;
int objVAL13 = 0, objVALK1 = 0, objBOS11 = 0, objBOS21 = 0, objBOS111 = 0, objBOS511 = 0, objBOS711 = 0, objVAL20 = 0;
int objVAL30 = 0, objVAL60 = 0, objVAL401 = 0, objVAL402 = 0, objVAL402b = 0, objZVAL401 = 0, objZVAL402 = 0, objLZ50 = 0;
int objLZ100 = 0, objZBAK1 = 0, objZBAK2 = 0, objZBAK3 = 0, objBBAK1 = 0, objBKM1h = 0, objBKM1m = 0, objBKM2 = 0;
int objBKM3 = 0, objBKM4 = 0, objBKM5 = 0, objZFIRE1 = 0;
int objBACK1 = 0, objBACK2 = 0;
int sndSHOT = 0, sndBOM = 0;
int hiScore = 0;

const CatalogueEntry catalogue[CATALOGUE_SIZE] = {
    {"TITLE.BMP", &objTITLE, 0},
    {"SELECT1.BMP", &objSELECT1, 0},
    {"JCG1.BMP", &objJCG1, 0},
    {"JCG2.BMP", &objJCG2, 0},
    {"JCG3.BMP", &objJCG3, 0},
    {"JCG4.BMP", &objJCG4, 0},
    {"CONTINU1.BMP", &objCONTINU1, 0},
    {"GFBAK1.BMP", &objGFBAK1, 0},
    {"MY.BMP", &objMY, 0},
    {"MYMY.BMP", &objMYMY, 0},
    {"MYEND.BMP", &objMYEND, 0},
    {"MYENDF.BMP", &objMYENDF, 0},
    {"MYGOODN.BMP", &objMYGOODN, 0},
    {"FBOM1.BMP", &objFBOM1, 0},
    {"FLH1.BMP", &objFLH1, 0},
    {"FLH2.BMP", &objFLH2, 0},
    {"FLH3.BMP", &objFLH3, 0},
    {"FBAK1.BMP", &objFBAK1, 0},
    {"ZAK2.BMP", &objZAK2, 0},
    {"ZAK4.BMP", &objZAK4, 0},
    {"ZAK5.BMP", &objZAK5, 0},
    {"ZAK6.BMP", &objZAK6, 0},
    {"ZAK7.BMP", &objZAK7, 0},
    {"ZAK8.BMP", &objZAK8, 0},
    {"ZAK9.BMP", &objZAK9, 0},
    {"ZAK10.BMP", &objZAK10, 0},
    {"ZAK11.BMP", &objZAK11, 0},
    {"ZAK12.BMP", &objZAK12, 0},
    {"ZAK13.BMP", &objZAK13, 0},
    {"ZAK14.BMP", &objZAK14, 0},
    {"ZAK16.BMP", &objZAK16, 0},
    {"ZAK18.BMP", &objZAK18, 0},
    {"ZAK64.BMP", &objZAK64, 0},
    {"ZAK22.BMP", &objZAK22, 0},
    {"ZAK24.BMP", &objZAK24, 0},
    {"ZAK28.BMP", &objZAK28, 0},
    {"ZAK50.BMP", &objZAK50, 0},
    {"ZAK51.BMP", &objZAK51, 0},
    {"ZAK52.BMP", &objZAK52, 0},
    {"ZAK53.BMP", &objZAK53, 0},
    {"VAL11.BMP", &objVAL11, 0},
    {"VAL12.BMP", &objVAL12, 0},
    {"VAL13.BMP", &objVAL13, 0},
    {"VALK1.BMP", &objVALK1, 0},
    {"BOS11.BMP", &objBOS11, 0},
    {"BOS21.BMP", &objBOS21, 0},
    {"BOS111.BMP", &objBOS111, 0},
    {"BOS511.BMP", &objBOS511, 0},
    {"BOS711.BMP", &objBOS711, 0},
    {"VAL20.BMP", &objVAL20, 0},
    {"VAL30.BMP", &objVAL30, 0},
    {"VAL60.BMP", &objVAL60, 0},
    {"VAL401.BMP", &objVAL401, 0},
    {"VAL402.BMP", &objVAL402, 0},
    {"VAL402.BMP", &objVAL402b, 0},
    {"ZVAL401.BMP", &objZVAL401, 0},
    {"ZVAL402.BMP", &objZVAL402, 0},
    {"LZ50.BMP", &objLZ50, 0},
    {"LZ100.BMP", &objLZ100, 0},
    {"ZBAK1.BMP", &objZBAK1, 0},
    {"ZBAK2.BMP", &objZBAK2, 0},
    {"ZBAK3.BMP", &objZBAK3, 0},
    {"BBAK1.BMP", &objBBAK1, 0},
    {"BKM1h.BMP", &objBKM1h, 0},
    {"BKM1m.BMP", &objBKM1m, 0},
    {"BKM2.BMP", &objBKM2, 0},
    {"BKM3.BMP", &objBKM3, 0},
    {"BKM4.BMP", &objBKM4, 0},
    {"BKM5.BMP", &objBKM5, 0},
    {"ZFIRE1.BMP", &objZFIRE1, 0},
    {"SHOT.WAV", &sndSHOT, 1},
    {"BOM.WAV", &sndBOM, 10},
    {"BACK1.BMP", &objBACK1, 0},
    {"BACK2.BMP", &objBACK2, 0},
};

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
