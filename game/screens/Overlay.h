// The picture over a halted game: the screen darkened, then the pause, the name
// prompt of the high-score list, or the end of the whole set.
#pragma once

// True while the overlay is shown: play halted, a name being typed, or the set done.
bool GameOverlayShown();
void GameDrawHaltedOverlay();
