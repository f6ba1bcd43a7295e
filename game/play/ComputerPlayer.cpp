#include "ComputerPlayer.h"

void GameComputerServeTick() {}
