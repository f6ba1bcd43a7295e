// The one header a program includes to use the Korvid engine.
#pragma once
#include "core/KorvidApp.h"
#include "services/KorMD5.h"
