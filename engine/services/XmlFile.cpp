// The XML store on disk. Saving writes a declaration, the root element and one
// line per key; "<", ">" and "&" in keys and values are written as the
// entities &lt; &gt; &amp; and turned back when parsing, so every value comes
// back as it went in. Parsing takes any text: the trimmed text between a tag
// and the next "<" is the value of that tag's full text.
#include <cstring>

#include "korvid.h"

namespace {

constexpr int32_t READ_CHUNK = 32;

struct XmlEntity {
    char cPlain;
    const char* szEntity;
};
constexpr XmlEntity ENTITIES[] = {{'<', "&lt;"}, {'>', "&gt;"}, {'&', "&amp;"}};

// The file layer warns about empty writes, so none are made.
void WriteBytes(uint32_t hFile, const char* pText, size_t nLength)
{
    if (nLength > 0)
        Korvid.FileWrite(hFile, pText, (int32_t)nLength);
}

void WriteText(uint32_t hFile, const char* szText) { WriteBytes(hFile, szText, strlen(szText)); }

void WriteEscaped(uint32_t hFile, const char* szText)
{
    const char* pRun = szText;
    for (const char* p = szText; *p; ++p)
        for (const XmlEntity& Entity : ENTITIES)
            if (*p == Entity.cPlain) {
                WriteBytes(hFile, pRun, (size_t)(p - pRun));
                WriteText(hFile, Entity.szEntity);
                pRun = p + 1;
            }
    WriteText(hFile, pRun);
}

// One left-to-right pass, so "&amp;lt;" becomes "&lt;" and no more.
void DecodeEntities(char* szText)
{
    char* pOut = szText;
    for (const char* p = szText; *p;) {
        const XmlEntity* pFound = nullptr;
        for (const XmlEntity& Entity : ENTITIES)
            if (strncmp(p, Entity.szEntity, strlen(Entity.szEntity)) == 0)
                pFound = &Entity;
        if (pFound) {
            *pOut++ = pFound->cPlain;
            p += strlen(pFound->szEntity);
        } else {
            *pOut++ = *p++;
        }
    }
    *pOut = 0;
}

void TrimBlanks(char* szText)
{
    KorvidString::StringTrimRight(szText, ' ');
    KorvidString::StringTrimLeft(szText, ' ');
}

// A text collected from the file, cut at 255 characters once its entities are
// decoded: a saved text of 255 characters may be up to five times as long on
// disk ("&amp;"), and must read back whole.
struct XmlText {
    static constexpr int32_t RAW_SIZE = (KOR_XML_TEXT_SIZE - 1) * 5 + 1;   // every character an "&amp;"
    char szText[RAW_SIZE];
    int32_t nLength = 0;
    bool bCut = false;

    void Clear() { nLength = 0; }
    void Append(char c)
    {
        if (nLength < RAW_SIZE - 1)
            szText[nLength++] = c;
        else
            bCut = true;
    }
    char* Finish()   // terminated, trimmed, decoded and cut
    {
        szText[nLength] = 0;
        TrimBlanks(szText);
        DecodeEntities(szText);
        if (strlen(szText) > (size_t)KOR_XML_TEXT_SIZE - 1) {
            szText[KOR_XML_TEXT_SIZE - 1] = 0;
            bCut = true;
            TrimBlanks(szText);
        }
        return szText;
    }
};

// The character machine: inside a tag ">" ends it and names the value that
// follows; outside, "<" stores the value collected since the last tag.
class XmlScanner {
public:
    void Feed(uint8_t nByte)
    {
        char c = nByte < 32 ? ' ' : (char)nByte;
        if (m_bInTag)
            FeedTag(c);
        else if (c == '<')
            StartTag();
        else if (m_bCollecting)
            m_Value.Append(c);
    }
    bool TextWasCut() const { return m_Tag.bCut || m_Value.bCut; }

private:
    void FeedTag(char c)
    {
        if (c != '>') {
            m_Tag.Append(c);
            return;
        }
        m_bInTag = false;
        // An end tag names nothing that is kept: "</" and a key of 255 characters
        // is one longer than a name may be, and is not a cut text.
        bool bWasCut = m_Tag.bCut;
        KorvidString::StringCopy(m_szName, m_Tag.Finish());
        if (m_szName[0] == '/')
            m_Tag.bCut = bWasCut;
        m_Value.Clear();
        m_bCollecting = true;
    }

    void StartTag()
    {
        if (m_bCollecting) {
            const char* szValue = m_Value.Finish();
            if (*szValue)
                Korvid.XMLSetString(m_szName, szValue);
        }
        m_bCollecting = false;
        m_bInTag = true;
        m_Tag.Clear();
    }

    XmlText m_Tag;
    XmlText m_Value;
    char m_szName[KOR_XML_TEXT_SIZE] = {};
    bool m_bInTag = false;
    bool m_bCollecting = false;
};

}  // namespace

bool KorvidXML::ParseXML(const char* szFile, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidXML::ParseXML()");
    uint32_t hFile = szFile ? Korvid.FileOpen(szFile, nFlags) : 0;
    if (!hFile) {
        Korvid.DebugLog("ERROR: ** ParseXML - File '%s' Not Found **", szFile ? szFile : "(null)");
        return false;
    }
    XmlScanner Scanner;
    uint8_t Chunk[READ_CHUNK];
    for (int32_t nRead; (nRead = Korvid.FileRead(hFile, Chunk, READ_CHUNK, true)) > 0;)
        for (int32_t n = 0; n < nRead; ++n)
            Scanner.Feed(Chunk[n]);
    Korvid.FileClose(hFile);
    if (Scanner.TextWasCut())
        Korvid.DebugLog("WARNING: ** ParseXML - File '%s' Holds Texts Longer Than %d Characters, Cut **", szFile,
                        KOR_XML_TEXT_SIZE - 1);
    return true;
}

bool KorvidXML::XMLSave(const char* szFile, uint8_t nFlags)
{
    KorvidProfileScope Section("KorvidXML::XMLSave()");
    uint32_t hFile = szFile ? Korvid.FileOpen(szFile, nFlags) : 0;
    if (!hFile) {
        Korvid.DebugLog("ERROR: ** XMLSave - Can't Save To File '%s' **", szFile ? szFile : "(null)");
        return false;
    }
    WriteText(hFile, "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<KorvidXML>\n");
    for (int32_t n = 0; n < m_nXMLEntriesUsed; ++n) {
        const KorvidXMLEntry& Entry = m_XMLEntries[n];
        if (!Entry.bUsed)
            continue;
        WriteText(hFile, "\t<");
        WriteEscaped(hFile, Entry.szKey);
        WriteText(hFile, ">");
        WriteEscaped(hFile, Entry.szValue);
        WriteText(hFile, "</");
        WriteEscaped(hFile, Entry.szKey);
        WriteText(hFile, ">\n");
    }
    WriteText(hFile, "</KorvidXML>\n");
    Korvid.FileClose(hFile);
    return true;
}
