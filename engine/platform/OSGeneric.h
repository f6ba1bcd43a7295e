// The platform interface: everything the engine needs of the operating system.
// The defaults are the portable C library operations or do nothing; a platform
// derives from this class and overrides what it provides.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

class OSGeneric {
public:
    virtual ~OSGeneric() = default;

    virtual void* Alloc(size_t nSize);                                     // 0
    virtual void Free(void* pMemory, size_t nSize);                        // 1
    virtual void MemSet(void* pDest, int nByte, size_t nCount);            // 2
    virtual void MemCopy(void* pDest, const void* pSrc, size_t nCount);    // 3
    virtual FILE* StreamOpen(const char* szPath, uint8_t nFlags);          // 4
    virtual void StreamClose(FILE* pStream);                               // 5
    virtual size_t StreamRead(FILE* pStream, void* pBuffer, size_t nCount);          // 6
    virtual size_t StreamWrite(FILE* pStream, const void* pBuffer, size_t nCount);   // 7
    virtual void StreamSeek(FILE* pStream, long nOffset);                  // 8
    virtual bool StreamDelete(const char* szPath);                         // 9
    virtual void StreamRewind(FILE* pStream);                              // 10
    virtual long StreamSize(FILE* pStream);                                // 11
    virtual double SquareRoot(double fValue);                              // 12
    virtual bool MakeDir(const char* szPath);                              // 13
    virtual bool ChangeDir(const char* szPath);                            // 14
    virtual void PrefixPath(char* szName);                                 // 15
    virtual void SetWindowTitle(const char* szTitle);                      // 16
    virtual bool ExternalCall(const char* szArgument);                     // 17
    virtual void ConsolePrint(const char* szText);                         // 18
    virtual bool HasConsole();                                             // 19
    virtual void ShowMessage(const char* szText);                          // 20
    virtual bool MutexCreate();                                            // 21
    virtual void MutexLock();                                              // 22
    virtual void MutexUnlock();                                            // 23
    virtual uint32_t GetTicks();                                           // 24
    virtual void Delay(uint32_t nMilliseconds);                            // 25
    virtual void OSShutdown();                                             // 26
    virtual void OnThreadStarted();                                        // 27
    virtual void OnThreadGoodbye();                                        // 28
    virtual void OnThreadHello();                                          // 29
    virtual void Yield(const char* szLabel);                               // 30

    // Thread primitives beside the slots. The SDL build has no worker threads:
    // every caller is platform thread 0 and creation always fails.
    virtual int32_t ThreadSelf();
    virtual int32_t ThreadCreate(void (*pEntry)());
    virtual void ThreadStop(int32_t nPlatformId);

    // The engine lock's bookkeeping.
    int32_t m_nLocksHeld = 0;
    bool m_bLockReady = false;
    int32_t m_nLockOwner = -1;
    int32_t m_nLocksMade = 0;
};
