#include "Menu.h"

void GameMenuClick() {}
void GameMenuDraw() {}
void GameAnimateTitle() {}
void GameRestartTitleAnimation() {}
