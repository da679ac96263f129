// Every picture the generator makes, one function each, grouped by the file that
// draws them.
#pragma once
#include "tools/assetgen/image.h"

// craft.cpp: the player's ship and the enemies
Image MakeShipFrame(int bank);  // bank -3 (right) … +3 (left), 60 × 70
Image MakeMY();
Image MakeZAK2();
Image MakeZAK4();
Image MakeZAK6();
Image MakeZAK8();
Image MakeZAK10();
Image MakeZAK18();
Image MakeZAK50();
Image MakeZAK51();
Image MakeSpareZak(int variant);  // the craft nobody flies in play

// bosses.cpp
Image MakeBOS11();
Image MakeBOS21();
Image MakeBOS111();
Image MakeSpareBoss(int variant);

// effects.cpp: shots, blasts, debris
Image MakeFLH(int side);  // 0 centre, 1 left, 2 right
Image MakeFBOM1();
Image MakeVAL(int kind);  // 11, 12, 13, 20, 30, 60, 401, 402, 1 (VALK1)
Image MakeZVAL(int variant);
Image MakeLZ(int length);
Image MakeZBAK1();
Image MakeZBAK2();
Image MakeZBAK3();
Image MakeBBAK1();
Image MakeGFBAK1();
Image MakeFBAK1();
Image MakeZFIRE1();

// backgrounds.cpp
Image MakeBACK1();
Image MakeBACK2();
Image MakeBKM(int variant);

// screens.cpp: pictures with text
Image MakeTITLE();
Image MakeSELECT1();
Image MakeJCG1();
Image MakeJCG2();
Image MakeJCG3();
Image MakeJCG4();
Image MakeCONTINU1();
Image MakeMYMY();
Image MakeEndLabel(int variant);  // MYEND, MYENDF, MYGOODN
