// The forge's steps in the order they run.
#include "Forge.h"
#include "levels/LevelStep.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"levels", ForgeLevels},
    };
    return Steps;
}
