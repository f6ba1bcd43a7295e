// tamborel-levels: turns level files into their readable text form and back,
// for people who make their own level sets. Plain file work, no engine.
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "LevelFormat.h"
#include "LevelRules.h"
#include "LevelText.h"

namespace {

const char* const USAGE =
    "usage: tamborel-levels decode LEVELFILE PARAMFILE [-o TEXT] [--file N]\n"
    "       tamborel-levels encode TEXT -o LEVELFILE PARAMFILE [--file N]\n"
    "\n"
    "Converts a Tamborel 2 level file (ten levels, e.g. usrlev1.dat) and its parameter file\n"
    "(their backgrounds, e.g. usrlev1p.dat) into the readable text form and back.\n"
    "  decode     writes the text to TEXT, or to standard output without -o\n"
    "  encode     writes the ten records and the ten backgrounds; missing levels stay empty\n"
    "  --file N   the level-file number (1..11) whose code offset the file uses; by default the\n"
    "             number in LEVELFILE's name (usrlev3.dat is file 3) or, when encoding, the\n"
    "             levels in TEXT (levels 20..29 are file 3)\n"
    "Exits with 0 on success, with 1 and a one-line reason on failure.\n";

struct Arguments {
    std::string Command;
    std::vector<std::string> Files;   // the command's files, in order
    std::string Output;               // after -o
    std::string Output2;              // the parameter file after "-o LEVELFILE" when encoding
    int nFile = 0;                    // --file, 0 when not given
};

bool Fail(const std::string& Reason)
{
    fprintf(stderr, "tamborel-levels: %s\n", Reason.c_str());
    return false;
}

void Warn(const std::string& Text) { fprintf(stderr, "tamborel-levels: warning: %s\n", Text.c_str()); }

bool ReadFile(const std::string& Path, std::string& Bytes)
{
    FILE* pFile = fopen(Path.c_str(), "rb");
    if (!pFile)
        return Fail("cannot read '" + Path + "': " + strerror(errno));
    Bytes.clear();
    char Buffer[8192];
    for (size_t n; (n = fread(Buffer, 1, sizeof(Buffer), pFile)) > 0;)
        Bytes.append(Buffer, n);
    bool bRead = !ferror(pFile);
    fclose(pFile);
    return bRead || Fail("cannot read '" + Path + "'");
}

bool WriteFile(const std::string& Path, const void* pBytes, size_t nSize)
{
    FILE* pFile = fopen(Path.c_str(), "wb");
    bool bWritten = pFile && fwrite(pBytes, 1, nSize, pFile) == nSize;
    if (pFile && fclose(pFile) != 0)
        bWritten = false;
    return bWritten || Fail("cannot write '" + Path + "': " + strerror(errno));
}

std::vector<uint8_t> AsBytes(const std::string& Text) { return std::vector<uint8_t>(Text.begin(), Text.end()); }

// The number at the end of a level file's name ("data/userlevels/usrlev3.dat" -> 3), 0 without one.
int FileNumberInName(const std::string& Path)
{
    size_t nBase = Path.rfind('/') == std::string::npos ? 0 : Path.rfind('/') + 1;
    size_t nEnd = Path.find('.', nBase);
    if (nEnd == std::string::npos)
        nEnd = Path.size();
    size_t nDigits = nEnd;
    while (nDigits > nBase && isdigit(static_cast<unsigned char>(Path[nDigits - 1])))
        --nDigits;
    if (nDigits == nEnd || nEnd - nDigits > 3)
        return 0;
    return atoi(Path.substr(nDigits, nEnd - nDigits).c_str());
}

bool CheckFileNumber(int nFile)
{
    return (nFile >= 1 && nFile <= LEVEL_FILE_COUNT) ||
           Fail("the level-file number must be 1..11, not " + std::to_string(nFile));
}

bool ParseArguments(int nArgs, char** ppArgs, Arguments& Args)
{
    for (int n = 1; n < nArgs; ++n) {
        std::string Arg = ppArgs[n];
        if (Arg == "-o" && n + 1 < nArgs) {
            Args.Output = ppArgs[++n];
            // encode names both files it writes after -o
            if (Args.Command == "encode" && n + 1 < nArgs && ppArgs[n + 1][0] != '-')
                Args.Output2 = ppArgs[++n];
        } else if (Arg == "--file" && n + 1 < nArgs) {
            Args.nFile = atoi(ppArgs[++n]);
            if (!CheckFileNumber(Args.nFile))
                return false;
        } else if (Args.Command.empty()) {
            Args.Command = Arg;
        } else if (Arg.size() > 1 && Arg[0] == '-') {
            return Fail("unknown option '" + Arg + "' (see tamborel-levels --help)");
        } else {
            Args.Files.push_back(Arg);
        }
    }
    return true;
}

void WarnAboutDesign(const LevelFileData& File)
{
    for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot)
        for (const std::string& Problem : LevelDesignProblems(File.Levels[nSlot]))
            Warn("level " + std::to_string((File.nFile - 1) * LEVELS_PER_FILE + int(nSlot)) + ": " + Problem);
}

bool Decode(const Arguments& Args)
{
    if (Args.Files.size() != 2)
        return Fail("usage: tamborel-levels decode LEVELFILE PARAMFILE [-o TEXT] [--file N]");
    int nFile = Args.nFile ? Args.nFile : FileNumberInName(Args.Files[0]);
    if (nFile == 0)
        return Fail("no level-file number in the name '" + Args.Files[0] + "': give it with --file N");
    std::string Levels, Params;
    if (!CheckFileNumber(nFile) || !ReadFile(Args.Files[0], Levels) || !ReadFile(Args.Files[1], Params))
        return false;
    LevelFileData File;
    std::string Reason, Text;
    int nDropped = 0;
    if (!LevelDecodeFile(AsBytes(Levels), AsBytes(Params), nFile, File, nDropped, Reason))
        return Fail(Args.Files[0] + ": " + Reason);
    if (nDropped > 0)
        Warn(std::to_string(nDropped) + " cells in rows 18..20 dropped: the game never shows them");
    if (!LevelPrintText(File, Text, Reason))
        return Fail(Args.Files[0] + ": " + Reason);
    if (Args.Output.empty())
        return fputs(Text.c_str(), stdout) >= 0;
    if (!WriteFile(Args.Output, Text.data(), Text.size()))
        return false;
    printf("%d levels decoded into %s\n", int(File.Levels.size()), Args.Output.c_str());
    return true;
}

bool Encode(const Arguments& Args)
{
    if (Args.Files.size() != 1 || Args.Output.empty() || Args.Output2.empty())
        return Fail("usage: tamborel-levels encode TEXT -o LEVELFILE PARAMFILE [--file N]");
    std::string Text;
    if (!ReadFile(Args.Files[0], Text))
        return false;
    LevelFileData File;
    LevelTextError Error;
    if (!LevelParseText(Text, File, Error))
        return Fail(Args.Files[0] + ":" + std::to_string(Error.nLine) + ":" + std::to_string(Error.nColumn) + ": " +
                    Error.Message);
    int nFile = Args.nFile ? Args.nFile : FileNumberInName(Args.Output);
    if (nFile != 0 && nFile != File.nFile) {
        int nFirst = (File.nFile - 1) * LEVELS_PER_FILE;
        return Fail(Args.Files[0] + " holds levels " + std::to_string(nFirst) + ".." + std::to_string(nFirst + 9) +
                    " of level file " + std::to_string(File.nFile) + ", not of file " + std::to_string(nFile));
    }
    WarnAboutDesign(File);
    std::vector<uint8_t> LevelBytes, ParamBytes;
    LevelEncodeFile(File, LevelBytes, ParamBytes);
    if (!WriteFile(Args.Output, LevelBytes.data(), LevelBytes.size()) ||
        !WriteFile(Args.Output2, ParamBytes.data(), ParamBytes.size()))
        return false;
    printf("%d levels encoded into %s and %s (level file %d)\n", int(File.Levels.size()), Args.Output.c_str(),
           Args.Output2.c_str(), File.nFile);
    return true;
}

}  // namespace

int main(int nArgs, char** ppArgs)
{
    if (nArgs > 1 && (!strcmp(ppArgs[1], "--help") || !strcmp(ppArgs[1], "-h"))) {
        fputs(USAGE, stdout);
        return 0;
    }
    Arguments Args;
    if (!ParseArguments(nArgs, ppArgs, Args))
        return 1;
    if (Args.Command == "decode")
        return Decode(Args) ? 0 : 1;
    if (Args.Command == "encode")
        return Encode(Args) ? 0 : 1;
    Fail(Args.Command.empty() ? "no command (see tamborel-levels --help)"
                              : "unknown command '" + Args.Command + "' (see tamborel-levels --help)");
    return 1;
}
