// PLACEHOLDER: replaced by whole-file load and save.
#include "korvid.h"
void* KorvidMemory::FileToMemory(const char*, void*, uint8_t) { return nullptr; }
bool KorvidMemory::MemoryToFile(const char*, const void*, uint32_t, uint8_t) { return false; }
