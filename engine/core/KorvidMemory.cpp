// PLACEHOLDER: replaced by the memory manager.
#include "korvid.h"
#include <cstdlib>
#include <cstring>
void KorvidMemory::SetMaxMallocs(uint32_t) {}
void* KorvidMemory::AllocMemory(uint32_t nSize, uint8_t) { return calloc(1, nSize); }
void KorvidMemory::FreeMemory(void* p) { free(p); }
KorvidMallocRecord* KorvidMemory::FindMalloc(const void*) { return nullptr; }
uint32_t KorvidMemory::MemorySize(const void*) { return 0; }
void KorvidMemory::MemorySet(void* d, uint8_t b, int32_t n) { memset(d, b, n); }
void KorvidMemory::MemoryCopy(void* d, const void* s, int32_t n) { memcpy(d, s, n); }
int32_t KorvidMemory::MemoryCompare(const void* a, const void* b, int32_t n) { return memcmp(a, b, n); }
void KorvidMemory::SetHeapSize(uint32_t) {}
void KorvidMemory::InitHeap() {}
void KorvidMemory::FreeHeap() {}
bool KorvidMemory::AddMallocCache(void*, const char*) { return false; }
void* KorvidMemory::TakeMallocCache(const char*) { return nullptr; }
void KorvidMemory::PurgeMallocCache() {}
void KorvidMemory::FlushMallocCache() {}
void KorvidMemory::FreeAllMemory() {}
void KorvidMemory::ReportMemory() {}
