// Reading INI lines from the file layer and taking them apart.
#include "services/IniLines.h"

#include <algorithm>
#include <cstring>

#include "korvid.h"

namespace {

constexpr int32_t CARRIAGE_RETURN = 13;
constexpr int32_t LINE_FEED = 10;

bool IsLineEnd(int32_t nByte) { return nByte == CARRIAGE_RETURN || nByte == LINE_FEED; }

bool IsSectionHeader(const char* szText, size_t nLength)
{
    return szText[0] == '[' && nLength > 1 && szText[nLength - 1] == ']';
}

// Key: the text before the first "=" without trailing spaces (the whole line
// when there is none); value: the text after it, trimmed.
void SplitEntry(IniLine& Line)
{
    const char* pEquals = strchr(Line.szText, '=');
    size_t nKeyLength = pEquals ? (size_t)(pEquals - Line.szText) : strlen(Line.szText);
    memcpy(Line.szName, Line.szText, nKeyLength);
    Line.szName[nKeyLength] = 0;
    KorvidString::StringTrimRight(Line.szName, ' ');
    Line.bHasValue = pEquals != nullptr;
    Line.szValue[0] = 0;
    if (pEquals) {
        KorvidString::StringCopy(Line.szValue, pEquals + 1);
        IniTrimSpaces(Line.szValue);
    }
}

void TrimSpaces(std::string& Text)
{
    Text.erase(0, std::min(Text.find_first_not_of(' '), Text.size()));
    Text.erase(Text.find_last_not_of(' ') + 1);
}

void ClassifyLine(IniLine& Line)
{
    size_t nLength = strlen(Line.szText);
    Line.szName[0] = 0;
    Line.szValue[0] = 0;
    Line.bHasValue = false;
    if (nLength == 0) {
        Line.nKind = IniLineKind::Blank;
    } else if (Line.szText[0] == ';') {
        Line.nKind = IniLineKind::Comment;
    } else if (IsSectionHeader(Line.szText, nLength)) {
        Line.nKind = IniLineKind::Section;
        memcpy(Line.szName, Line.szText + 1, nLength - 2);
        Line.szName[nLength - 2] = 0;
    } else {
        Line.nKind = IniLineKind::Entry;
        SplitEntry(Line);
    }
}

}  // namespace

int32_t IniLineReader::PeekByte()
{
    if (m_nNext >= m_nFill) {
        // The chunk is this reader's own window, so the file layer's is bypassed.
        m_nFill = Korvid.FileRead(m_hFile, m_Chunk, (int32_t)sizeof(m_Chunk), true);
        m_nNext = 0;
        if (m_nFill <= 0) {
            m_nFill = 0;
            return -1;
        }
    }
    return m_Chunk[m_nNext];
}

bool IniLineReader::ReadLine(IniLine& Line)
{
    int32_t nByte = PeekByte();
    if (nByte < 0)
        return false;
    Line.Whole.clear();
    for (; nByte >= 0 && !IsLineEnd(nByte); nByte = PeekByte()) {
        Line.Whole += (char)nByte;
        SkipByte();
    }
    if (nByte >= 0) {
        SkipByte();
        int32_t nNext = PeekByte();
        if (IsLineEnd(nNext) && nNext != nByte)
            SkipByte();
    }
    // The cut comes before the trim, as it always did for lookups.
    const size_t nStored = std::min(Line.Whole.size(), (size_t)KOR_INI_LINE_SIZE - 1);
    memcpy(Line.szText, Line.Whole.data(), nStored);
    Line.szText[nStored] = 0;
    IniTrimSpaces(Line.szText);
    TrimSpaces(Line.Whole);
    ClassifyLine(Line);
    return true;
}

void IniStripQuotes(char* szValue)
{
    size_t nLength = strlen(szValue);
    if (nLength < 2 || (szValue[0] != '\'' && szValue[0] != '"') || szValue[nLength - 1] != szValue[0])
        return;
    memmove(szValue, szValue + 1, nLength - 2);
    szValue[nLength - 2] = 0;
}

void IniTrimSpaces(char* szText)
{
    KorvidString::StringTrimRight(szText, ' ');
    KorvidString::StringTrimLeft(szText, ' ');
}

int32_t IniCopyCut(char* szOutput, const char* szText, int32_t nSize)
{
    int32_t nLength = 0;
    while (nLength < nSize - 1 && szText[nLength]) {
        szOutput[nLength] = szText[nLength];
        ++nLength;
    }
    szOutput[nLength] = 0;
    return nLength;
}

void IniWriteLine(uint32_t hFile, const char* szFirst, const char* szSecond, const char* szThird)
{
    for (const char* szText : {szFirst, szSecond, szThird})
        if (szText && *szText)
            Korvid.FileWrite(hFile, szText, KorvidString::StringLength(szText));
    Korvid.FileWrite(hFile, "\n", 1);
}
