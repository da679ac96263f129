#include <gtest/gtest.h>

#include "game/bosses/boss.h"
#include "game/combat/collision.h"
#include "game/enemies/enemy.h"
#include "game/enemies/midsize.h"
#include "game/flow/reset.h"
#include "game/player/score.h"
#include "game/player/ship.h"
#include "game/player/weapons.h"
#include "lib/system/zuSystem.h"
#include "tests/game/play_fixture.h"

namespace {

// Where the collision passes test a volley fired from a ship at (290, 300): the
// shots leave at (x, y + 15), (x − 15, y + 10) and (x + 15, y + 10), and the pass
// first moves them 20 up, the side ones also 3 outwards. Fragments are laid at
// (300, 250) and stay there.
constexpr int SHIP_X = 290, SHIP_Y = 300;
struct Point {
  int x, y;
};
constexpr Point TESTED_AT[] = {{290, 295}, {272, 290}, {308, 290}};  // by SHOT_CENTRE ...
constexpr Point FRAGMENT_AT = {300, 250};
constexpr int FRAGMENT = 3;

using Place = void (*)(float x, float y);
void PlaceAt(EnemySlot& e, float x, float y) {
  e.active = 1;
  e.exploding = 0;
  e.x = x;
  e.y = y;
}
void Zak2(float x, float y) { PlaceAt(zak2Slots[4], x, y); }
void Zak18(float x, float y) { PlaceAt(zak18Slots[0], x, y); }
void Zak50(float x, float y) { PlaceAt(zak50Slot, x, y); }
void Zak51(float x, float y) { PlaceAt(zak51Slot, x, y); }
void Boss1(float x, float y) {
  boss1.x = x;
  boss1.y = y;
}
void Boss2(float x, float y) {
  boss2.x = x;
  boss2.y = y;
}

class Collision : public ::testing::Test {
 protected:
  void SetUp() override {
    zuSystem::SeedRandom(2);
    FullReset();
    score = 0;
    hiScore = 5000;
    frameSeconds = 0.01f;
  }
  void TearDown() override { FullReset(); }

  // A volley into slot 1, only the `table` shot left in flight.
  static PlayerShot& Fire(int table) {
    playerX = SHIP_X;
    playerY = SHIP_Y;
    LaunchVolley(1);
    for (int t : {SHOT_CENTRE, SHOT_LEFT, SHOT_RIGHT}) {
      if (t != table) Park(ShotTable(t)[1]);
    }
    return ShotTable(table)[1];
  }

  // A fragment that stays where it is.
  static BombFragment& Lay(int slot, int x, int y) {
    BombFragment& f = bombFragments[slot];
    f.x = x;
    f.y = y;
    f.active = 1;
    f.speed = 0;
    f.angle = 0.0f;
    return f;
  }

  // One pass of `weapon` (a shot table or FRAGMENT) with the target placed so that
  // the projectile is tested (dx, dy) from its top-left corner; the points paid.
  static int Strike(int weapon, Place place, int dx, int dy) {
    FullReset();
    score = 0;
    const Point at = weapon == FRAGMENT ? FRAGMENT_AT : TESTED_AT[weapon];
    place(static_cast<float>(at.x - dx), static_cast<float>(at.y - dy));
    if (weapon == FRAGMENT) {
      Lay(5, at.x, at.y);
      CollideBomb();
    } else {
      Fire(weapon);
      CollideShots();
    }
    return score;
  }
};

// The windows of the target table at their bounds, with what each hit pays.
TEST_F(Collision, WindowsAtTheirBounds) {
  const struct {
    const char* target;
    Place place;
    int weapon, dx, dy, points;
  } cases[] = {
      // ZAK2: shots −60..60 by −60..50, side shots −45..45; a right shot pays 1.
      {"ZAK2", Zak2, SHOT_CENTRE, -60, 50, 20},  {"ZAK2", Zak2, SHOT_CENTRE, -61, 50, 0},
      {"ZAK2", Zak2, SHOT_CENTRE, -60, 51, 0},   {"ZAK2", Zak2, SHOT_CENTRE, 60, -60, 20},
      {"ZAK2", Zak2, SHOT_CENTRE, 61, -60, 0},   {"ZAK2", Zak2, SHOT_CENTRE, 60, -61, 0},
      {"ZAK2", Zak2, SHOT_LEFT, 45, 0, 20},      {"ZAK2", Zak2, SHOT_LEFT, 46, 0, 0},
      {"ZAK2", Zak2, SHOT_RIGHT, -45, 0, 1},     {"ZAK2", Zak2, SHOT_RIGHT, -46, 0, 0},
      // Fragments: ZAK2 from -80 for 1 point, ZAK18 from -5.
      {"ZAK2", Zak2, FRAGMENT, -80, 0, 1},       {"ZAK2", Zak2, FRAGMENT, -81, 0, 0},
      {"ZAK18", Zak18, FRAGMENT, -5, 0, 20},     {"ZAK18", Zak18, FRAGMENT, -6, 0, 0},
      // ZAK50 and ZAK51: centre shots 60..80; side shots never hit them.
      {"ZAK50", Zak50, SHOT_CENTRE, 59, 0, 0},   {"ZAK50", Zak50, SHOT_CENTRE, 60, 0, 20},
      {"ZAK51", Zak51, SHOT_CENTRE, 80, 0, 20},  {"ZAK51", Zak51, SHOT_CENTRE, 81, 0, 0},
      {"ZAK50", Zak50, SHOT_LEFT, 70, 0, 0},     {"ZAK51", Zak51, SHOT_RIGHT, 70, 0, 0},
      // First boss: shots 100..220 (side shots 115..205) by 10..200, fragments 100..275.
      {"boss 1", Boss1, SHOT_CENTRE, 220, 10, 20}, {"boss 1", Boss1, SHOT_CENTRE, 221, 10, 0},
      {"boss 1", Boss1, SHOT_CENTRE, 100, 9, 0},   {"boss 1", Boss1, SHOT_CENTRE, 100, 200, 20},
      {"boss 1", Boss1, SHOT_CENTRE, 100, 201, 0}, {"boss 1", Boss1, SHOT_LEFT, 205, 100, 20},
      {"boss 1", Boss1, SHOT_RIGHT, 206, 100, 0},  {"boss 1", Boss1, SHOT_RIGHT, 115, 100, 20},
      {"boss 1", Boss1, FRAGMENT, 275, 100, 20},   {"boss 1", Boss1, FRAGMENT, 276, 100, 0},
      // Second boss: shots 100..200, fragments 100..255.
      {"boss 2", Boss2, SHOT_CENTRE, 200, 10, 20}, {"boss 2", Boss2, SHOT_CENTRE, 201, 10, 0},
      {"boss 2", Boss2, SHOT_LEFT, 185, 10, 20},   {"boss 2", Boss2, SHOT_LEFT, 186, 10, 0},
      {"boss 2", Boss2, FRAGMENT, 255, 10, 20},    {"boss 2", Boss2, FRAGMENT, 256, 10, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Strike(c.weapon, c.place, c.dx, c.dy), c.points)
        << c.target << ", weapon " << c.weapon << " at " << c.dx << "," << c.dy;
  }
}

// Boss damage follows frame time: with fire held under a boss and every shot
// striking, one volley per 4 frames, centre shots cost it 15 hit points a second and
// side shots 20; a fragment lying on it costs 15 a second and pays 20 every frame.
TEST_F(Collision, BossesLoseHitPointsBySecondsWhateverTheFrameRate) {
  for (BossRecord* boss : {&boss1, &boss2}) {
    for (int fps : {40, 60, 144}) {
      FullReset();
      score = 0;
      boss->x = 130.0f;  // where its script puts it once it has entered
      boss->y = 0.0f;
      const float start = boss->hitPoints;
      frameSeconds = 1.0f / fps;
      playerX = 290.0f;
      playerY = 185.0f;
      for (int frame = 0; frame < fps; ++frame) {
        FireFrame();
        CollideShots();
      }
      EXPECT_NEAR(boss->hitPoints, start - 35.0f, 0.01f) << fps;
      EXPECT_EQ(score, 15 * fps) << fps;  // 20 for each of the three shots of fps / 4 volleys

      Lay(5, 280, 100);
      for (int frame = 0; frame < fps; ++frame) CollideBomb();
      EXPECT_NEAR(boss->hitPoints, start - 50.0f, 0.01f) << fps;
      EXPECT_EQ(score, 35 * fps) << fps;
    }
  }
}

}  // namespace
