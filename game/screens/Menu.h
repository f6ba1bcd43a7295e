// The screens outside play, worked with the mouse: the title menu, the
// instruction pages, the options page, the high-score list, the information
// screen and the match's score screens.
#pragma once

// Acts on a left click in an area of the current screen; called every frame
// when not in game, after the pointer is clamped.
void GameMenuClick();
// Everything the current screen shows over its picture: the title's figures,
// the hovered area's highlight, the instruction page, the switches, the lists
// and the help picture. Called every frame when not in game.
void GameMenuDraw();
// The title's two figures: one frame every 100 ms (from the play clock), and
// the animation run again every 20 s while not in game.
void GameAnimateTitle();
void GameRestartTitleAnimation();
