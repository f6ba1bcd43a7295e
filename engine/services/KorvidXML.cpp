// The key/value table of the XML store.
#include "services/KorvidXML.h"

#include <cstdio>

#include "korvid.h"

namespace {

char* CopyOwnedString(const char* szText)
{
    uint32_t nSize = (uint32_t)KorvidString::StringLength(szText) + 1;
    char* szCopy = (char*)Korvid.AllocMemory(nSize, KOR_MEM_SYSTEM);
    if (szCopy)
        Korvid.MemoryCopy(szCopy, szText, (int32_t)nSize);
    return szCopy;
}

}  // namespace

KorvidXMLEntry* KorvidXML::FindXMLEntry(const char* szKey)
{
    if (!szKey)
        return nullptr;
    for (int32_t n = 0; n < m_nXMLEntriesUsed; ++n)
        if (m_XMLEntries[n].bUsed && KorvidString::StringEqual(m_XMLEntries[n].szKey, szKey, 0))
            return &m_XMLEntries[n];
    return nullptr;
}

void KorvidXML::EmptyXMLEntry(KorvidXMLEntry& Entry)
{
    if (Entry.szKey)
        Korvid.FreeMemory(Entry.szKey);
    if (Entry.szValue)
        Korvid.FreeMemory(Entry.szValue);
    Entry = KorvidXMLEntry{};
}

// Fresh copies of both strings; on failure the entry is left empty.
bool KorvidXML::FillXMLEntry(KorvidXMLEntry& Entry, const char* szKey, const char* szValue)
{
    char* szNewKey = CopyOwnedString(szKey);
    char* szNewValue = CopyOwnedString(szValue);
    EmptyXMLEntry(Entry);
    if (!szNewKey || !szNewValue) {
        if (szNewKey)
            Korvid.FreeMemory(szNewKey);
        if (szNewValue)
            Korvid.FreeMemory(szNewValue);
        Korvid.DebugLog("ERROR: ** XMLSetString(%s, ...) - Out Of Memory **", szKey);
        return false;
    }
    Entry.szKey = szNewKey;
    Entry.szValue = szNewValue;
    Entry.bUsed = 1;
    return true;
}

bool KorvidXML::XMLSetString(const char* szKey, const char* szValue)
{
    if (!szKey || !szValue) {
        Korvid.DebugLog("ERROR: ** XMLSetString() - NULL Key Or Value **");
        return false;
    }
    if (KorvidXMLEntry* pEntry = FindXMLEntry(szKey))
        return FillXMLEntry(*pEntry, szKey, szValue);
    if (m_nXMLEntriesUsed >= KOR_XML_MAX_ENTRIES) {
        Korvid.DebugLog("ERROR: ** XMLSetString(%s, ...) - Fail, XML Struct Full **", szKey);
        return false;
    }
    if (!FillXMLEntry(m_XMLEntries[m_nXMLEntriesUsed], szKey, szValue))
        return false;
    ++m_nXMLEntriesUsed;
    return true;
}

bool KorvidXML::XMLSetInt(const char* szKey, int32_t nValue)
{
    char szValue[16];
    snprintf(szValue, sizeof(szValue), "%d", nValue);
    return XMLSetString(szKey, szValue);
}

const char* KorvidXML::XMLGetString(const char* szKey)
{
    KorvidXMLEntry* pEntry = FindXMLEntry(szKey);
    return pEntry ? pEntry->szValue : nullptr;
}

int32_t KorvidXML::XMLGetInt(const char* szKey) { return Korvid.StringToInteger(XMLGetString(szKey)); }

bool KorvidXML::XMLCompare(const char* szKey, const char* szText)
{
    const char* szValue = XMLGetString(szKey);
    return szValue && szText && KorvidString::StringEqual(szValue, szText, 0);
}

void KorvidXML::XMLDelete(const char* szKey)
{
    if (!szKey)
        return;
    for (int32_t n = 0; n < m_nXMLEntriesUsed; ++n)
        if (m_XMLEntries[n].bUsed && KorvidString::StringEqual(m_XMLEntries[n].szKey, szKey, 0))
            EmptyXMLEntry(m_XMLEntries[n]);
}

void KorvidXML::XMLClear()
{
    for (KorvidXMLEntry& Entry : m_XMLEntries)
        EmptyXMLEntry(Entry);
    m_nXMLEntriesUsed = 0;
}
