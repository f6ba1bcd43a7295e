// ParseXML on any bytes, then the store it filled saved, parsed and saved
// again: what the engine writes it must read back to the same store, so the
// two saved files are equal byte for byte.
#include <fstream>
#include <iterator>
#include <string>

#include "FuzzSupport.h"
#include "korvid.h"

namespace {

std::string FileText(const char* szName)
{
    std::ifstream File(szName, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
}

bool ParseAndSave(const char* szSource, const char* szSaved)
{
    Korvid.XMLClear();
    return Korvid.ParseXML(szSource, KOR_FILE_READ) && Korvid.XMLSave(szSaved, KOR_FILE_WRITE);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    FuzzStartEngine(FuzzEngineParts::Files);
    FuzzWriteFile("fuzz.xml", pData, nSize);
    if (ParseAndSave("fuzz.xml", "saved1.xml")) {
        if (!ParseAndSave("saved1.xml", "saved2.xml"))
            FuzzFail("a saved store does not parse");
        if (FileText("saved1.xml") != FileText("saved2.xml"))
            FuzzFail("a saved store reads back different");
    }
    Korvid.XMLClear();
    return 0;
}
