// The forge's steps in the order they run.
#include "Forge.h"
#include "creatures/CreatureArt.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"art-creatures", ForgeArtCreatures},
    };
    return Steps;
}
