// A command-line program run as a person runs it: its exit status and what it
// printed on stdout and stderr together.
#pragma once
#include <cstdio>
#include <ostream>
#include <string>
#include <sys/wait.h>

struct ToolRun {
    int nStatus;       // exit status, -1 when the program did not exit normally
    std::string Out;   // stdout and stderr together

    bool operator==(const ToolRun& Other) const { return nStatus == Other.nStatus && Out == Other.Out; }
    friend std::ostream& operator<<(std::ostream& Stream, const ToolRun& Run)
    {
        return Stream << "status " << Run.nStatus << ": " << Run.Out;
    }
};

inline ToolRun RunProgram(const std::string& Program, const std::string& Arguments)
{
    std::string Command = Program + " " + Arguments + " 2>&1";
    ToolRun Result{-1, ""};
    FILE* pPipe = popen(Command.c_str(), "r");
    if (!pPipe)
        return Result;
    char Buffer[4096];
    for (size_t n; (n = fread(Buffer, 1, sizeof(Buffer), pPipe)) > 0;)
        Result.Out.append(Buffer, n);
    int nWait = pclose(pPipe);
    Result.nStatus = WIFEXITED(nWait) ? WEXITSTATUS(nWait) : -1;
    return Result;
}
