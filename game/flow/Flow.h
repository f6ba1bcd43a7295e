// The game's flow: the changes between the title screen, a running game, the
// screens between levels and the end of a game, and the losing of a life.
#pragma once
#include <cstdint>

enum GameMode : int32_t {
    GAME_MODE_HAUPTMENU = 0,          // the title screen
    GAME_MODE_SPIEL_STARTEN = 1,      // a new game
    GAME_MODE_SPIEL_ABBRECHEN = 2,    // a game given up
    GAME_MODE_SPIEL_VELOREN = 3,      // the last life lost
    GAME_MODE_LEVEL_GESCHAFFT = 4,    // the field cleared or a boss stage over
    GAME_MODE_LEVEL_ZURUECK = 5,      // one level back
    GAME_MODE_MP_MENU_STARTEN = 6,    // a game against the computer
    GAME_MODE_MP_MENU_ABBRECHEN = 7,  // back from the between-level screens of a match
    GAME_MODE_MP_SPIEL_STARTEN = 8,   // the next level of a match
};

// Moves the game into a mode; false for an unknown mode or a screen picture that
// could not be loaded (its error number is reported).
bool GameChangeMode(int32_t nMode);
// A one-player game on level nLevel, whatever the options say about a match:
// the level editor's test-play. False when its background cannot be shown.
bool GameStartOnePlayerGame(int32_t nLevel);
// Out of play on the title screen with nothing of the last game left: where a
// given-up game ends, and where the game starts (the engine may be started
// again in one run, over the state of the game before).
void GameLeavePlay();
// End of a game: offers player 1's score to the high-score list, halts play and
// plays the game-over sound.
void GameOver();
// A player lost his last ball: a life goes, or the game is lost.
void LoseBall(int nPlayer);
// After a lost life (the ball is back on the serving paddle from the level reset):
// in a match the computer's serve is armed when the mouse player lost.
void GameKugelStart();
// Puts paddle 2 at its saved start; clears player 2's name unless bKeepName.
void GameEnablePlayer2(bool bKeepName);
