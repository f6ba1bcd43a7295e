// The forge's steps in the order they run.
#include "Forge.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
    };
    return Steps;
}
