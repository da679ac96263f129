// The two passes that move the player's shots and bomb fragments and test them
// against every enemy, in the order of one target table.
#pragma once

// Centre, then left, then right shots: move, retire above -60, test, pay.
void CollideShots();
// Bomb fragments: move, park when off the field, test, pay. A fragment is never
// used up by a hit.
void CollideBomb();
