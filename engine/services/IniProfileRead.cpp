// The settings reader: one key's value, the list of sections, or the list of a
// section's keys, with the caller's default standing in for anything missing.
// Blank lines are skipped, so a file edited by hand reads to its end.
#include "korvid.h"
#include "services/IniLines.h"

namespace {

// Names placed one after another, each ended by a zero byte, the whole list by
// one more. A name that does not fit with two bytes to spare is cut to fit and
// ends the list.
class IniNameList {
public:
    IniNameList(char* szOutput, int32_t nSize) : m_szOutput(szOutput), m_nSize(nSize) {}

    bool Add(const char* szName)   // false once the list is full
    {
        int32_t nLength = KorvidString::StringLength(szName);
        int32_t nRoom = m_nSize - m_nUsed;
        bool bFits = nLength + 2 <= nRoom;
        if (!bFits)
            nLength = nRoom - 2;
        if (nLength < 0)
            return false;
        Korvid.MemoryCopy(m_szOutput + m_nUsed, szName, nLength);
        m_nUsed += nLength;
        m_szOutput[m_nUsed++] = 0;
        return bFits;
    }

    int32_t Close()   // the bytes used, without the list's own terminator
    {
        m_szOutput[m_nUsed] = 0;
        return m_nUsed > 0 ? m_nUsed - 1 : 0;
    }

private:
    char* m_szOutput;
    int32_t m_nSize;
    int32_t m_nUsed = 0;
};

int32_t ListSections(IniLineReader& Reader, char* szOutput, int32_t nSize)
{
    IniNameList List(szOutput, nSize);
    IniLine Line;
    while (Reader.ReadLine(Line))
        if (Line.nKind == IniLineKind::Section && !List.Add(Line.szName))
            break;
    return List.Close();
}

// Reads up to the line after the wanted section's header; false when the file
// ends first.
bool EnterSection(IniLineReader& Reader, const char* szSection)
{
    IniLine Line;
    while (Reader.ReadLine(Line))
        if (Line.nKind == IniLineKind::Section && KorvidString::StringEqual(Line.szName, szSection, 0))
            return true;
    return false;
}

struct SectionSearch {
    bool bAnswered = false;   // the value was found, or the section's keys were listed
    int32_t nLength = 0;
};

// Inside the section: the value of the wanted key, or with no key the list of
// all keys. The next "[" line ends the section.
SectionSearch SearchSection(IniLineReader& Reader, const char* szKey, char* szOutput, int32_t nSize)
{
    SectionSearch Search;
    IniNameList Keys(szOutput, nSize);
    IniLine Line;
    bool bListFull = false;
    while (!bListFull && Reader.ReadLine(Line)) {
        if (Line.nKind == IniLineKind::Blank || Line.nKind == IniLineKind::Comment)
            continue;
        if (Line.StartsSection())
            break;
        if (!szKey) {
            bListFull = !Keys.Add(Line.szName);
        } else if (KorvidString::StringEqual(Line.szName, szKey, 0)) {
            IniStripQuotes(Line.szValue);
            Search.bAnswered = true;
            Search.nLength = IniCopyCut(szOutput, Line.szValue, nSize);
            return Search;
        }
    }
    if (!szKey) {
        Search.bAnswered = true;
        Search.nLength = Keys.Close();
    }
    return Search;
}

}  // namespace

int32_t KorvidIni::GetProfileString(const char* szSection, const char* szKey, const char* szDefault,
                                    char* szOutput, int32_t nSize, const char* szFile)
{
    KorvidProfileScope Section("KorvidIni::GetProfileString()");
    if (!szOutput || !szFile || nSize <= 0)
        return 0;
    szOutput[0] = 0;

    SectionSearch Search;
    uint32_t hFile = Korvid.FileOpen(szFile, KOR_FILE_READ);
    if (hFile) {
        IniLineReader Reader(hFile);
        if (!szSection) {
            Search.bAnswered = true;
            Search.nLength = ListSections(Reader, szOutput, nSize);
        } else if (EnterSection(Reader, szSection)) {
            Search = SearchSection(Reader, szKey, szOutput, nSize);
        }
        Korvid.FileClose(hFile);
    }

    int32_t nLength = Search.nLength;
    if (!Search.bAnswered && szDefault) {
        IniCopyCut(szOutput, szDefault, nSize);
        IniTrimSpaces(szOutput);
        IniStripQuotes(szOutput);
        nLength = KorvidString::StringLength(szOutput);
    }
    if (!szOutput[0] && szDefault)
        nLength = IniCopyCut(szOutput, szDefault, nSize);
    return nLength;
}
