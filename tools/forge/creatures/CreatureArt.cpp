// The forge step "art-creatures": paints the creature sheets and saves them.
#include "CreatureArt.h"

#include "Picture.h"
#include "sheets.h"

bool ForgeArtCreatures(const ForgeContext& Context)
{
    // Nothing on the ball sheet carries words, so both languages share one picture.
    Canvas Kugel = PaintKugelSheet();
    bool bSaved = SavePicture(Context, Sheets::KUGEL.szName, Kugel, PictureKind::MaskedSheet) &&
                  SavePicture(Context, Sheets::KUGEL_EN.szName, Kugel, PictureKind::MaskedSheet);
    const EnemyMood MOODS[3] = {EnemyMood::Bright, EnemyMood::Friendly, EnemyMood::Menacing};
    for (int n = 0; n < 3 && bSaved; ++n)
        bSaved = SavePicture(Context, Sheets::ENEMIES[n].szName, PaintEnemySheet(MOODS[n]), PictureKind::MaskedSheet);
    return bSaved && SavePicture(Context, Sheets::SPACEBACK.szName, PaintSpaceBack(), PictureKind::Screen) &&
           SavePicture(Context, Sheets::BIG_ENEMY.szName, PaintBossScene(), PictureKind::MaskedSheet) &&
           SavePicture(Context, Sheets::BIG_ENEMY01.szName, PaintBossParts(), PictureKind::MaskedSheet) &&
           SavePicture(Context, Sheets::DEVIL.szName, PaintFigureSheet(), PictureKind::MaskedSheet) &&
           SavePicture(Context, Sheets::WETTER.szName, PaintWeatherSheet(), PictureKind::MaskedSheet);
}
