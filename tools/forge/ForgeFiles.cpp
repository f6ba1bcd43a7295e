// Files of the data set: paths, folders and whole-file writes.
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "Forge.h"

std::string ForgePath(const ForgeContext& Context, const std::string& Relative)
{
    return Context.OutDir + "/" + Relative;
}

bool ForgeMakeFolders(const std::string& Path)
{
    for (size_t nSlash = Path.find('/', 1); ; nSlash = Path.find('/', nSlash + 1)) {
        std::string Folder = Path.substr(0, nSlash);
        if (mkdir(Folder.c_str(), 0755) != 0 && errno != EEXIST) {
            ForgeComplain("cannot create folder '%s': %s", Folder.c_str(), strerror(errno));
            return false;
        }
        if (nSlash == std::string::npos)
            return true;
    }
}

bool ForgeWriteFile(const ForgeContext& Context, const std::string& Relative, const std::vector<uint8_t>& Bytes)
{
    std::string Path = ForgePath(Context, Relative);
    size_t nSlash = Path.rfind('/');
    if (nSlash != std::string::npos && nSlash > 0 && !ForgeMakeFolders(Path.substr(0, nSlash)))
        return false;
    FILE* pFile = fopen(Path.c_str(), "wb");
    bool bWritten = pFile && fwrite(Bytes.data(), 1, Bytes.size(), pFile) == Bytes.size();
    if (pFile && fclose(pFile) != 0)
        bWritten = false;
    if (!bWritten)
        ForgeComplain("cannot write '%s': %s", Path.c_str(), strerror(errno));
    return bWritten;
}

namespace {

void Say(FILE* pOut, const char* szFormat, va_list Args)
{
    fputs("tamborel-forge: ", pOut);
    vfprintf(pOut, szFormat, Args);
    fputc('\n', pOut);
    fflush(pOut);
}

}  // namespace

void ForgeSay(const char* szFormat, ...)
{
    va_list Args;
    va_start(Args, szFormat);
    Say(stdout, szFormat, Args);
    va_end(Args);
}

void ForgeComplain(const char* szFormat, ...)
{
    va_list Args;
    va_start(Args, szFormat);
    Say(stderr, szFormat, Args);
    va_end(Args);
}
