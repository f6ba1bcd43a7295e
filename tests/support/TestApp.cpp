#include "support/TestApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::vector<std::string> g_ScratchDirs;

// A passed case leaves nothing behind; a failed one keeps its directories to be
// looked at, and KORVID_KEEP_SCRATCH keeps every one.
void RemoveScratchDirectories()
{
    if (getenv("KORVID_KEEP_SCRATCH") || ::testing::UnitTest::GetInstance()->Failed())
        return;
    std::error_code Error;
    for (const std::string& Dir : g_ScratchDirs)
        std::filesystem::remove_all(Dir, Error);
}

}  // namespace

std::string EnterScratchDirectory()
{
    const char* szBase = getenv("TMPDIR");
    std::string Template = std::string(szBase ? szBase : "/tmp") + "/korvid-test-XXXXXX";
    char* szDir = mkdtemp(Template.data());
    if (!szDir || chdir(szDir) != 0)
        abort();
    if (g_ScratchDirs.empty())
        atexit(RemoveScratchDirectories);
    g_ScratchDirs.push_back(szDir);
    return szDir;
}

std::vector<std::string> ReadLines(const std::string& Path)
{
    std::vector<std::string> Lines;
    std::ifstream File(Path, std::ios::binary);
    for (std::string Line; std::getline(File, Line);) {
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        Lines.push_back(Line);
    }
    return Lines;
}

std::vector<std::string> LogMessages(const std::string& Path)
{
    std::vector<std::string> Messages;
    for (const std::string& Line : ReadLines(Path)) {
        size_t nColon = Line.find(": ");
        Messages.push_back(nColon == std::string::npos ? Line : Line.substr(nColon + 2));
    }
    return Messages;
}

bool ContainsInOrder(const std::vector<std::string>& Messages, const std::vector<std::string>& Wanted)
{
    size_t nNext = 0;
    for (const std::string& Message : Messages)
        if (nNext < Wanted.size() && Message == Wanted[nNext])
            ++nNext;
    return nNext == Wanted.size();
}

int IndexOf(const std::vector<std::string>& Messages, const std::string& Text)
{
    for (size_t n = 0; n < Messages.size(); ++n)
        if (Messages[n] == Text)
            return (int)n;
    return -1;
}
