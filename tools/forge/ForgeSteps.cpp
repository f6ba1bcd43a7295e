// The forge's steps in the order they run.
#include "Forge.h"
#include "movie/MovieStep.h"

const std::vector<ForgeStep>& ForgeSteps()
{
    static const std::vector<ForgeStep> Steps = {
        {"movies", ForgeMovies},
    };
    return Steps;
}
