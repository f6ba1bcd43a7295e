// The engine key numbers the game reacts to.
#pragma once

constexpr int GAME_KEY_BACKSPACE = 4;
constexpr int GAME_KEY_RETURN = 7;
constexpr int GAME_KEY_ESCAPE = 13;
constexpr int GAME_KEY_SPACE = 14;
constexpr int GAME_KEY_LEFT = 19;
constexpr int GAME_KEY_UP = 20;
constexpr int GAME_KEY_RIGHT = 21;
constexpr int GAME_KEY_DOWN = 22;
constexpr int GAME_KEY_A = 37;   // A..Z are 37..62
constexpr int GAME_KEY_D = 40;
constexpr int GAME_KEY_E = 41;
constexpr int GAME_KEY_Z = 62;
constexpr int GAME_KEY_P = 52;
constexpr int GAME_KEY_KEYPAD_ENTER = 78;
constexpr int GAME_KEY_F7 = 88;
constexpr int GAME_KEY_F9 = 90;
constexpr int GAME_KEY_F11 = 92;
constexpr int GAME_KEY_F12 = 93;
constexpr int GAME_KEY_LEFT_CTRL = 110;
