// The forge's level step: compiles the level sources into the level files.
#pragma once
#include "Forge.h"

// Reads Context.LevelSources/normal/lv1..10.txt, hard/swrlev1..10.txt and every
// user/usrlevN.txt there is, and writes them as levels/lvN.dat + lvNp.dat,
// levels/swrlevN.dat + swrlevNp.dat and userlevels/usrlevN.dat + usrlevNp.dat.
// Fails on a source that is missing (normal and hard sets), cannot be read, or
// holds a mistake or a level that breaks a design rule.
bool ForgeLevels(const ForgeContext& Context);
