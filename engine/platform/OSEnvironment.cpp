#include "platform/OSEnvironment.h"

#include <SDL/SDL.h>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// Files really are removed and directories really changed on Linux, so the
// file layer's FileDelete and ChangeDir do what their names say.
bool OSEnvironment::StreamDelete(const char* szPath) { return remove(szPath) == 0; }
bool OSEnvironment::MakeDir(const char* szPath) { return mkdir(szPath, 0700) == 0; }
bool OSEnvironment::ChangeDir(const char* szPath) { return chdir(szPath) == 0; }

void OSEnvironment::PrefixPath(char* szName)
{
    if (szName[0] == '.' || szName[0] == '/' || m_szExecutablePath[0] == 0)
        return;
    char szWork[256];
    snprintf(szWork, sizeof(szWork), "%s%s", m_szExecutablePath, szName);
    strcpy(szName, szWork);
}

void OSEnvironment::SetWindowTitle(const char* szTitle) { SDL_WM_SetCaption(szTitle, ""); }
bool OSEnvironment::ExternalCall(const char*) { return true; }
uint32_t OSEnvironment::GetTicks() { return SDL_GetTicks(); }
void OSEnvironment::Delay(uint32_t nMilliseconds) { SDL_Delay(nMilliseconds); }
