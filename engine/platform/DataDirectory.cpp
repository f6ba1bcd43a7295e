// Finding the directory that holds the program's data: the environment
// variable first, then the executable's own directory and the folder an
// installed program keeps beside it, then the current one.
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "korvid.h"

namespace {

// The directory part of a resolved path, with its trailing "/"; empty when it cannot be resolved.
std::string ResolvedDirectory(const char* szPath)
{
    char szResolved[PATH_MAX];
    if (!realpath(szPath, szResolved))
        return std::string();
    std::string Resolved(szResolved);
    size_t nSlash = Resolved.rfind('/');
    return nSlash == std::string::npos ? std::string() : Resolved.substr(0, nSlash + 1);
}

// The program's own directory, then the folder beside it, when one is named.
KorvidDataPlace CheckProgramDirectory(const std::string& Dir, const char* szSub, const char* szBesideProgram)
{
    if (Korvid.CheckDataDirectory(Dir.c_str(), szSub))
        return KorvidDataPlace::Program;
    if (szBesideProgram && Korvid.CheckDataDirectory((Dir + szBesideProgram).c_str(), szSub))
        return KorvidDataPlace::BesideProgram;
    return KorvidDataPlace::Nowhere;
}

KorvidDataPlace CheckWorkingDirectory(const char* szSub)
{
    return Korvid.CheckDataDirectory("./", szSub) ? KorvidDataPlace::WorkingDirectory : KorvidDataPlace::Nowhere;
}

}  // namespace

bool KorvidPlatform::CheckDataDirectory(const char* szDir, const char* szSub)
{
    Korvid.DebugLog("Check '%s' + '%s'", szDir, szSub);
    std::string Dir(szDir);
    if (!Dir.empty() && Dir.back() != '/')
        Dir += '/';
    std::string Candidate = Dir + szSub;
    Korvid.DebugLog("Check -> '%s'", Candidate.c_str());
    if (access(Candidate.c_str(), X_OK) != 0)
        return false;
    Korvid.DebugLog("OK.");
    Korvid.SetReadDir(Dir.c_str());
    return true;
}

KorvidDataPlace KorvidPlatform::LocateDataDirectory(const char* szBase, const char* szEnvVar, const char* szSub,
                                                    const char* szBesideProgram)
{
    Korvid.DebugLog("Locate Data Directory for '%s'", szBase);

    std::string Variable;
    if (szEnvVar) {
        Variable = szEnvVar;
    } else {
        Korvid.DebugLog("No Real EnvVar. Making one.");
        Variable = std::string(szBase) + "_data";
        for (char& c : Variable)
            c = (char)toupper((unsigned char)c);
    }
    Korvid.DebugLog("Checking Env Var '%s'", Variable.c_str());
    const char* szValue = getenv(Variable.c_str());
    if (!szValue)
        Korvid.DebugLog("Not Exist.");
    else if (CheckDataDirectory(szValue, szSub))
        return KorvidDataPlace::Variable;

    const char* szProgram = Korvid.ProgramPath();
    Korvid.DebugLog("Checking argv[0] '%s'", szProgram);
    if (strchr(szProgram, '/')) {
        std::string Dir = ResolvedDirectory(szProgram);
        if (!Dir.empty()) {
            Korvid.DebugLog("Realpath = '%s'", Dir.c_str());
            KorvidDataPlace Place = CheckProgramDirectory(Dir, szSub, szBesideProgram);
            if (Place != KorvidDataPlace::Nowhere)
                return Place;
        }
        Korvid.DebugLog("CurrentDir = '%s'", "./");
        return CheckWorkingDirectory(szSub);
    }

    const char* szPath = szProgram[0] ? getenv("PATH") : nullptr;
    if (szPath) {
        std::string Path(szPath);
        size_t nStart = 0;
        while (nStart <= Path.size()) {
            size_t nEnd = Path.find(':', nStart);
            if (nEnd == std::string::npos)
                nEnd = Path.size();
            std::string Executable = Path.substr(nStart, nEnd - nStart) + "/" + szProgram;
            nStart = nEnd + 1;
            if (access(Executable.c_str(), X_OK) != 0)
                continue;
            Korvid.DebugLog("checking '%s'", Executable.c_str());
            std::string Dir = ResolvedDirectory(Executable.c_str());
            KorvidDataPlace Place =
                Dir.empty() ? KorvidDataPlace::Nowhere : CheckProgramDirectory(Dir, szSub, szBesideProgram);
            if (Place != KorvidDataPlace::Nowhere)
                return Place;
        }
    }
    return CheckWorkingDirectory(szSub);
}
