// The Linux platform: SDL 1.2 for the clock and the window, POSIX for the rest.
#pragma once
#include "platform/OSGeneric.h"

class OSEnvironment : public OSGeneric {
public:
    bool StreamDelete(const char* szPath) override;
    bool MakeDir(const char* szPath) override;
    bool ChangeDir(const char* szPath) override;
    void PrefixPath(char* szName) override;
    void SetWindowTitle(const char* szTitle) override;
    bool ExternalCall(const char* szArgument) override;
    uint32_t GetTicks() override;
    void Delay(uint32_t nMilliseconds) override;

    bool m_bPlatformStarted = false;
    char m_szExecutablePath[256] = {};   // put in front of relative names; empty here
};
