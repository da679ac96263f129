// The player's ship: position, speed, bank, life cycle, input and volleys.
#pragma once

constexpr float SHIP_SPEED = 140.0f;  // pixels per second on each axis
// The ship's top-left corner stays inside these bounds (inclusive).
constexpr float SHIP_MIN_X = 130.0f;
constexpr float SHIP_MAX_X = 450.0f;
constexpr float SHIP_MIN_Y = 100.0f;
constexpr float SHIP_MAX_Y = 420.0f;

// Where a new game puts the ship's top-left corner.
constexpr float SHIP_START_X = 290.0f;
constexpr float SHIP_START_Y = 210.0f;

// --- kept for the whole run (NewGame sets the first four) ---

// Top-left corner of the ship picture; carried over between stages.
extern float playerX;
extern float playerY;
// The ship's reserve (a destruction costs 16) and the bomb stock.
extern int energy;
extern int bombs;
// Key states (0 up, 1 just pressed, 3 held, 2 just released), kept between frames.
extern int keyLeft;
extern int keyRight;
extern int keyUp;
extern int keyDown;
extern int keyZ;
extern int keyX;
extern int keyC;
extern int keyShift;
extern int keyCtrl;

// --- cleared by the game-state reset (ResetShip) ---

// Speed for this frame (pixels per second), set by the input and zeroed after the move.
extern float playerVX;
extern float playerVY;
// Column of "MY.BMP", 0..6 (3 level, 4..6 banked left, 2..0 banked right).
extern int bankFrame;
// Change of bankFrame per frame: -1, 0 or +1.
extern int bankStep;
// 1 while the ship is in play; any hit clears it.
extern int playerAlive;
// 1 while the ship blinks after coming back.
extern int respawning;
// Frames of the current blink and the blink cycle's counter.
extern int respawnCount;
extern int blinkPhase;
// 1 stops all input of the ship.
extern int controlLocked;
// Fire frames counted while fire is held; a volley at every multiple of 4, 48 wraps to 0.
extern int fireCounter;

// A live, level, still ship with its blink and fire counters at 0, controls free.
void ResetShip();

// Where an enemy shot touches the ship: bounds on shot x − playerX and
// shot y − playerY, inclusive.
struct ShipHitBox {
  float left, right, top, bottom;
};

// Clears playerAlive when the shot at (x, y) lies in the box; a ship that is
// already down is left alone.
void TestShip(float x, float y, const ShipHitBox& box);

// Keyboard: movement, bank, spring-back, bomb trigger, fire frames.
void ReadShipKeys();
// The rules of ReadShipKeys over the key states as they stand (after the polls).
void ApplyShipKeys();
// Joystick 0: the same, after the keyboard, so it wins over it.
void ReadShipJoystick();
// One frame with fire held: counts fireCounter and launches a volley on its multiples of 4.
void FireFrame();

// Stage steps of the ship, in frame order.
// Draws "MY.BMP" column bankFrame at the ship's position (no state test).
void DrawShip();
// Drawing and life cycle before the flip: flying, blinking, coming back, destroyed.
void ShipDrawStep();
// After the flip: input (when alive and not locked), bank animation, movement.
void ShipControlStep();
// bankFrame += bankStep, clamped to 0..6; the roll stops at level flight.
void BankShip();
// Applies playerVX/VY over frameSeconds, clamps, zeroes the speed.
void MoveShip();
