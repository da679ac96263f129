// Every picture and sound the game uses, in load order; each global holds the id
// that its load returned (0 after a failed load). Every room of game/ may use them.
#pragma once

// Object ids of the pictures, named after their files.
extern int objTITLE;
extern int objSELECT1;
extern int objJCG1;
extern int objJCG2;
extern int objJCG3;
extern int objJCG4;
extern int objCONTINU1;
extern int objGFBAK1;
extern int objMY;
extern int objMYMY;
extern int objMYEND;
extern int objMYENDF;
extern int objMYGOODN;
extern int objFBOM1;
extern int objFLH1;
extern int objFLH2;
extern int objFLH3;
extern int objFBAK1;
extern int objZAK2;
extern int objZAK4;
extern int objZAK5;
extern int objZAK6;
extern int objZAK7;
extern int objZAK8;
extern int objZAK9;
extern int objZAK10;
extern int objZAK11;
extern int objZAK12;
extern int objZAK13;
extern int objZAK14;
extern int objZAK16;
extern int objZAK18;
extern int objZAK64;
extern int objZAK22;
extern int objZAK24;
extern int objZAK28;
extern int objZAK50;
extern int objZAK51;
extern int objZAK52;
extern int objZAK53;
extern int objVAL11;
extern int objVAL12;
extern int objVAL13;
extern int objVALK1;
extern int objBOS11;
extern int objBOS21;
extern int objBOS111;
extern int objBOS511;
extern int objBOS711;
extern int objVAL20;
extern int objVAL30;
extern int objVAL60;
extern int objVAL401;
extern int objVAL402;
extern int objVAL402b;
extern int objZVAL401;
extern int objZVAL402;
extern int objLZ50;
extern int objLZ100;
extern int objZBAK1;
extern int objZBAK2;
extern int objZBAK3;
extern int objBBAK1;
extern int objBKM1h;
extern int objBKM1m;
extern int objBKM2;
extern int objBKM3;
extern int objBKM4;
extern int objBKM5;
extern int objZFIRE1;
extern int objBACK1;
extern int objBACK2;

// Sound ids.
extern int sndSHOT;
extern int sndBOM;

// One entry of the catalogue, in load order.
struct CatalogueEntry {
  const char* file;
  int* id;
  int soundBuffers;  // 0 for a picture
};
constexpr int CATALOGUE_SIZE = 74;
extern const CatalogueEntry catalogue[CATALOGUE_SIZE];
