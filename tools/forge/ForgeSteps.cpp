// The forge's steps in the order they run: the screen pictures come last, as
// they show bricks, bonuses and creatures read back from the finished sheets.
#include "Forge.h"
#include "levels/LevelStep.h"
#include "sound/SoundStep.h"
#include "movie/MovieStep.h"
#include "art/PlayArt.h"
#include "creatures/CreatureArt.h"
#include "screens/ScreenArt.h"
#include "icons/AppIcon.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"levels", ForgeLevels},
        {"sounds", ForgeSounds},
        {"movies", ForgeMovies},
        {"art-play", ForgeArtPlay},
        {"art-creatures", ForgeArtCreatures},
        {"art-screens", ForgeArtScreens},
        {"icons", ForgeAppIcons},
    };
    return Steps;
}
