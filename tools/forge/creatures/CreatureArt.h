// The creatures of the game and what flies around them: balls and glyphs
// ("kugel", "kugel_en"), the enemies ("enemy1".."enemy3"), the boss stage
// ("spaceback", "big_enemy", "big_enemy01"), the title figures ("devil") and the
// weather ("wetter").
#pragma once
#include "Canvas.h"
#include "Forge.h"

// The forge step: paints and saves every sheet above.
bool ForgeArtCreatures(const ForgeContext& Context);

// The painters, one per sheet family; each returns the whole sheet.
Canvas PaintKugelSheet();
enum class EnemyMood { Bright, Friendly, Menacing };   // "enemy1", "enemy2", "enemy3"
Canvas PaintEnemySheet(EnemyMood Mood);
Canvas PaintSpaceBack();
Canvas PaintBossScene();   // "big_enemy": the boss's body and the console
Canvas PaintBossParts();   // "big_enemy01": head, jaw, guns, shots, explosions
Canvas PaintFigureSheet();
Canvas PaintWeatherSheet();

// Pieces the painters share, exposed for the kugel sheet's glyph rows.
void PaintKugelGlyphs(Canvas& Sheet);
