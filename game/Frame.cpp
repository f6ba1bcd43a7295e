// KorvidMain: the game's frame. For now the title picture is shown; Escape on
// the title does nothing and closing the window ends the game.
#include "Resources.h"
#include "korvid.h"

void KorvidMain()
{
    Korvid.FlushKeys();
    Korvid.FlushMouse();
    Korvid.UseChunky(0);
    Korvid.Blit(GAME_CHUNKY_BACKGROUND, 0, 0, KOR_BLIT_NOCOOKIE, 0, 0);
    Korvid.Flip();
}
