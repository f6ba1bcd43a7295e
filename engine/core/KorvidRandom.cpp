// PLACEHOLDER: replaced by the random generator.
#include "korvid.h"
KorvidRandom::KorvidRandom() {}
