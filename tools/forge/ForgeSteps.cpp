// The forge's steps in the order they run.
#include "Forge.h"
#include "art/PlayArt.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"art-play", ForgeArtPlay},
    };
    return Steps;
}
