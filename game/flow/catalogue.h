// Every picture and sound the game uses, loaded once at start.
#pragma once

void LoadAssets();
