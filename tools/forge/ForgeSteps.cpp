// The forge's steps in the order they run.
#include "Forge.h"
#include "screens/ScreenArt.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"art-screens", ForgeArtScreens},
    };
    return Steps;
}
