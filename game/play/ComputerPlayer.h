// The computer's side of a match: its serve countdown after the mouse player
// lost a ball.
#pragma once

// The mouse player lost the ball: the computer serves once its countdown has run.
void GameArmComputerServe();
// Once a second of play: counts the pending serve down, with its sounds, and
// launches the balls at 0.
void GameComputerServeTick();
