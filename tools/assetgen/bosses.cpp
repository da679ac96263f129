#include "tools/assetgen/assets.h"
#include "tools/assetgen/painter.h"

Image MakeBOS11() { Painter p(380, 380); p.Ellipse(190, 150, 100, 120, M_ARMOR, 1, 8); return p.Render(); }
Image MakeBOS21() { Painter p(380, 380); p.Ellipse(190, 150, 100, 120, M_ARMOR, 1, 8); return p.Render(); }
Image MakeBOS111() { Painter p(480, 480); p.Ellipse(240, 240, 150, 220, M_ARMOR, 1, 8); return p.Render(); }
Image MakeSpareBoss(int) { Painter p(200, 200); p.Ellipse(100, 100, 80, 80, M_ARMOR, 1, 8); return p.Render(); }
