#include "platform/OSGeneric.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

void* OSGeneric::Alloc(size_t nSize) { return malloc(nSize); }
void OSGeneric::Free(void* pMemory, size_t) { free(pMemory); }
void OSGeneric::MemSet(void* pDest, int nByte, size_t nCount) { memset(pDest, nByte, nCount); }
void OSGeneric::MemCopy(void* pDest, const void* pSrc, size_t nCount) { memcpy(pDest, pSrc, nCount); }

FILE* OSGeneric::StreamOpen(const char* szPath, uint8_t nFlags)
{
    const char* szMode = "rb";
    if (nFlags & 0x02)
        szMode = "r+";
    else if (nFlags & 0x04)
        szMode = "a+";
    else if (nFlags & (0x01 | 0x08))
        szMode = "wb";
    FILE* pStream = fopen(szPath, szMode);
    if (pStream && (nFlags & 0x08))
        setvbuf(pStream, nullptr, _IONBF, 0);
    return pStream;
}

void OSGeneric::StreamClose(FILE* pStream) { fclose(pStream); }

size_t OSGeneric::StreamRead(FILE* pStream, void* pBuffer, size_t nCount)
{
    return fread(pBuffer, 1, nCount, pStream);
}

size_t OSGeneric::StreamWrite(FILE* pStream, const void* pBuffer, size_t nCount)
{
    size_t nWritten = fwrite(pBuffer, 1, nCount, pStream);
    fflush(pStream);
    return nWritten;
}

void OSGeneric::StreamSeek(FILE* pStream, long nOffset) { fseek(pStream, nOffset, SEEK_SET); }
bool OSGeneric::StreamDelete(const char*) { return false; }
void OSGeneric::StreamRewind(FILE* pStream) { fseek(pStream, 0, SEEK_SET); }

long OSGeneric::StreamSize(FILE* pStream)
{
    long nWas = ftell(pStream);
    fseek(pStream, 0, SEEK_END);
    long nSize = ftell(pStream);
    fseek(pStream, nWas, SEEK_SET);
    return nSize;
}

double OSGeneric::SquareRoot(double fValue) { return sqrt(fValue); }
bool OSGeneric::MakeDir(const char*) { return false; }
bool OSGeneric::ChangeDir(const char*) { return false; }
void OSGeneric::PrefixPath(char*) {}
void OSGeneric::SetWindowTitle(const char*) {}
bool OSGeneric::ExternalCall(const char*) { return false; }
void OSGeneric::ConsolePrint(const char*) {}
bool OSGeneric::HasConsole() { return true; }
void OSGeneric::ShowMessage(const char*) {}
bool OSGeneric::MutexCreate() { return true; }
void OSGeneric::MutexLock() {}
void OSGeneric::MutexUnlock() {}
uint32_t OSGeneric::GetTicks() { return 0; }
void OSGeneric::Delay(uint32_t) {}
void OSGeneric::OSShutdown() {}
void OSGeneric::OnThreadStarted() {}
void OSGeneric::OnThreadGoodbye() {}
void OSGeneric::OnThreadHello() {}
void OSGeneric::Yield(const char*) {}
int32_t OSGeneric::ThreadSelf() { return 0; }
int32_t OSGeneric::ThreadCreate(void (*)()) { return -1; }
void OSGeneric::ThreadStop(int32_t) {}
