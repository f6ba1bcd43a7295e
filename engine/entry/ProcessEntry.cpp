// The process entry of every program built on the engine.
#include "korvid.h"

int main(int nArgs, char** ppArgs) { return Korvid.Main(nArgs, ppArgs); }
