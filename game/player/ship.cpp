#include "game/player/ship.h"

#include "game/assets/assets.h"
#include "game/player/weapons.h"
#include "game/playfield.h"
#include "lib/draw/zuDraw.h"
#include "lib/input/zuInput.h"
#include "lib/sound/zuSound.h"
#include "lib/system/zuSystem.h"

float playerX = SHIP_START_X;
float playerY = SHIP_START_Y;
float playerVX = 0.0f;
float playerVY = 0.0f;
int bankFrame = 3;
int bankStep = 0;
int playerAlive = 1;
int respawning = 0;
int respawnCount = 0;
int blinkPhase = 0;
int controlLocked = 0;
int fireCounter = 0;
int energy = START_ENERGY;
int bombs = START_BOMBS;

int keyLeft = 0;
int keyRight = 0;
int keyUp = 0;
int keyDown = 0;
int keyZ = 0;
int keyX = 0;
int keyC = 0;
int keyShift = 0;
int keyCtrl = 0;

namespace {
constexpr int KEY_HELD = 3;
constexpr int KEY_PRESSED = 1;
constexpr int VK_Z = 0x5A;
constexpr int VK_X = 0x58;
constexpr int VK_C = 0x43;
constexpr int FIRE_WRAP = 48;
constexpr int SHIP_W = 60;
constexpr int SHIP_H = 70;
constexpr int BLINK_VISIBLE_LAST = 2;  // phases 1 and 2 of every 5 are shown
constexpr int BLINK_CYCLE = 5;
constexpr int BLINK_FRAMES = 239;
constexpr int BLINK_COUNT_LIMIT = 250;
}  // namespace

void ResetShip() {
  playerAlive = 1;
  controlLocked = 0;
  playerVX = 0.0f;
  playerVY = 0.0f;
  bankFrame = 3;
  bankStep = 0;
  respawning = 0;
  respawnCount = 0;
  blinkPhase = 0;
  fireCounter = 0;
}

void TestShip(float x, float y, const ShipHitBox& box) {
  if (playerAlive == 0) return;
  const float rx = x - playerX;
  const float ry = y - playerY;
  if (rx >= box.left && rx <= box.right && ry >= box.top && ry <= box.bottom) playerAlive = 0;
}

void FireFrame() {
  fireCounter += 1;
  if (fireCounter % 4 == 0 && fireCounter >= 4 && fireCounter <= FIRE_WRAP) {
    LaunchVolley(fireCounter / 4);
  }
  if (fireCounter == FIRE_WRAP) fireCounter = 0;
}

void ReadShipKeys() {
  zuSystem::ReadKey(VK_LEFT, &keyLeft);
  zuSystem::ReadKey(VK_RIGHT, &keyRight);
  zuSystem::ReadKey(VK_UP, &keyUp);
  zuSystem::ReadKey(VK_DOWN, &keyDown);
  zuSystem::ReadKey(VK_Z, &keyZ);
  zuSystem::ReadKey(VK_X, &keyX);
  zuSystem::ReadKey(VK_C, &keyC);
  zuSystem::ReadKey(VK_SHIFT, &keyShift);
  zuSystem::ReadKey(VK_CONTROL, &keyCtrl);
  ApplyShipKeys();
}

void ApplyShipKeys() {
  // Tested in this order so that Right wins over Left and Down over Up.
  if (keyLeft == KEY_HELD) {
    bankStep = +1;
    playerVX = -SHIP_SPEED;
  }
  if (keyRight == KEY_HELD) {
    bankStep = -1;
    playerVX = SHIP_SPEED;
  }
  if (keyUp == KEY_HELD) playerVY = -SHIP_SPEED;
  if (keyDown == KEY_HELD) playerVY = SHIP_SPEED;

  // With every arrow up, a ship banked to an end column rolls back to level.
  if (keyLeft == 0 && keyRight == 0 && keyUp == 0 && keyDown == 0 &&
      (bankFrame == 0 || bankFrame == 6)) {
    bankStep = -bankStep;
  }

  if (bombActive == 0 && keyX == KEY_PRESSED) {
    bombActive = 1;
    bombClock = 0;
  }
  if (bombActive == 0 && keyCtrl == KEY_PRESSED) {
    bombActive = 1;
    bombClock = 0;
  }

  // No volleys while a bomb runs, including the frame that set it off.
  if (bombActive == 0) {
    if (keyShift == KEY_HELD) FireFrame();
    if (keyZ == KEY_HELD) FireFrame();
  }
}

void ReadShipJoystick() {
  int dx = 0;
  int dy = 0;
  zuSystem::JoyDirection(0, &dx, &dy);
  if (dx == -1) {
    bankStep = +1;
    playerVX = -SHIP_SPEED;
  }
  if (dx == 1) {
    bankStep = -1;
    playerVX = SHIP_SPEED;
  }
  if (dy == -1) playerVY = -SHIP_SPEED;
  if (dy == 1) playerVY = SHIP_SPEED;

  // The button is a level, not an edge: held, it sets off the next bomb at once.
  if (bombActive == 0 && zuSystem::JoyButton(0, 2) == 1) {
    bombActive = 1;
    bombClock = 0;
  }
  if (bombActive == 0 && zuSystem::JoyButton(0, 1) == 1) FireFrame();
}

void DrawShip() {
  zuDraw::PutObject(static_cast<int>(playerX), static_cast<int>(playerY), objMY,
                    bankFrame * SHIP_W, 0, bankFrame * SHIP_W + SHIP_W, SHIP_H);
}

void ShipDrawStep() {
  if (playerAlive == 1 && respawning == 0) {
    DrawShip();
  } else if (playerAlive == 1 && respawning == 1) {
    respawnCount += 1;
    if (respawnCount >= 0 && respawnCount <= BLINK_COUNT_LIMIT) {
      blinkPhase += 1;
      if (blinkPhase >= 0 && blinkPhase <= BLINK_VISIBLE_LAST) DrawShip();
      if (blinkPhase >= BLINK_CYCLE) blinkPhase = 0;
    }
    if (respawnCount >= BLINK_FRAMES) {
      respawnCount = 0;
      respawning = 0;
      playerAlive = 1;
      ParkDebris();
    }
  } else if (playerAlive == 0 && respawning == 1) {
    // A hit while blinking only lasts one frame.
    playerAlive = 1;
  } else {
    AdvanceDebris();
    DrawDebris();
    MoveDebris();
    playerVX = 0.0f;
    playerVY = 0.0f;
    zuSound::Play(sndBOM, -1);
  }
}

void BankShip() {
  bankFrame += bankStep;
  if (bankFrame < 0) bankFrame = 0;
  if (bankFrame > 6) bankFrame = 6;
  if (bankFrame == 3) bankStep = 0;
}

void MoveShip() {
  playerX += playerVX * frameSeconds;
  if (playerX < SHIP_MIN_X) playerX = SHIP_MIN_X;
  if (playerX > SHIP_MAX_X) playerX = SHIP_MAX_X;
  playerY += playerVY * frameSeconds;
  if (playerY < SHIP_MIN_Y) playerY = SHIP_MIN_Y;
  if (playerY > SHIP_MAX_Y) playerY = SHIP_MAX_Y;
  playerVX = 0.0f;
  playerVY = 0.0f;
}

void ShipControlStep() {
  if (playerAlive == 1 && controlLocked == 0) {
    ReadShipKeys();
    ReadShipJoystick();
  }
  BankShip();
  MoveShip();
}
