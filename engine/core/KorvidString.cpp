// PLACEHOLDER: replaced by the string utilities.
#include "korvid.h"
#include <cstring>
#include <strings.h>
bool KorvidString::StringEqual(const char* a, const char* b, int c) { return c ? strcmp(a, b) == 0 : strcasecmp(a, b) == 0; }
