// The game's version: what --version, the information screen and the title
// picture the forge paints all show.
#pragma once

constexpr const char* GAME_VERSION = "1.0";
