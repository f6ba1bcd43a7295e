// The settings reader and writer on any file contents: every section and key
// listed and read, then one key written, read back, removed, and a section
// emptied. What the writer was told to store must read back as stored.
#include <cstring>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "korvid.h"

namespace {

constexpr const char* FUZZ_INI = "fuzz.ini";
constexpr int32_t LIST_SIZE = 4096;
// Each read opens and parses the whole file again, so reading every key of a
// big file would cost the square of its size; the first few sections and keys
// reach the same reader code.
constexpr size_t MAX_NAMES = 6;

// The zero-separated names of a list, the first MAX_NAMES of them.
std::vector<std::string> NamesOf(const char* szList, int32_t nLength)
{
    std::vector<std::string> Names;
    for (int32_t n = 0; n < nLength && szList[n] && Names.size() < MAX_NAMES; n += (int32_t)Names.back().size() + 1)
        Names.push_back(std::string(szList + n));
    return Names;
}

std::vector<std::string> ListNames(const char* szSection)
{
    static char szList[LIST_SIZE];
    int32_t nLength = Korvid.GetProfileString(szSection, nullptr, "", szList, LIST_SIZE, FUZZ_INI);
    if (nLength < 0 || nLength >= LIST_SIZE)
        FuzzFail("a list longer than its output");
    return NamesOf(szList, nLength);
}

std::string ReadValue(const char* szSection, const char* szKey)
{
    char szValue[KOR_INI_OUTPUT_SIZE];
    int32_t nLength = Korvid.GetProfileString(szSection, szKey, "", szValue, sizeof(szValue), FUZZ_INI);
    if (nLength < 0 || nLength >= (int32_t)sizeof(szValue) || (size_t)nLength != strlen(szValue))
        FuzzFail("a value's length does not match its text");
    return szValue;
}

void WriteAndReadBack()
{
    const char* szSection = "FuzzSection";
    const char* szKey = "FuzzKey";
    if (!Korvid.WriteProfileString(szSection, szKey, "Value42", FUZZ_INI))
        FuzzFail("a key could not be written");
    if (ReadValue(szSection, szKey) != "Value42")
        FuzzFail("a written key does not read back");
    Korvid.WriteProfileString(szSection, szKey, nullptr, FUZZ_INI);
    if (ReadValue(szSection, szKey) != "")
        FuzzFail("a removed key still reads back");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Files);
    Korvid.SetIniTempFile("fuzz.tmp");
    FuzzWriteFile(FUZZ_INI, pData, nSize);
    std::vector<std::string> Sections = ListNames(nullptr);
    for (const std::string& Section : Sections)
        for (const std::string& Key : ListNames(Section.c_str()))
            ReadValue(Section.c_str(), Key.c_str());
    WriteAndReadBack();
    if (!Sections.empty())
        Korvid.WriteProfileString(Sections[0].c_str(), nullptr, nullptr, FUZZ_INI);
    return 0;
}
