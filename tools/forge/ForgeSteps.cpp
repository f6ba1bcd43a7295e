// The forge's steps in the order they run.
#include "Forge.h"
#include "sound/SoundStep.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"sounds", ForgeSounds},
    };
    return Steps;
}
