// A small process-wide store of string keys and values that can be saved to
// and loaded from a flat XML file: one root element holding one element per
// key, whose text is the value. Keys are compared without regard to case.
#pragma once
#include <cstdint>

constexpr int32_t KOR_XML_MAX_ENTRIES = 100;
constexpr int32_t KOR_XML_TEXT_SIZE = 256;   // tag texts and values read from a file keep 255 characters

struct KorvidXMLEntry {
    char* szKey;     // owned
    char* szValue;   // owned
    uint8_t bUsed;
};

class KorvidXML {
public:
    bool XMLSetString(const char* szKey, const char* szValue);
    bool XMLSetInt(const char* szKey, int32_t nValue);
    const char* XMLGetString(const char* szKey);
    int32_t XMLGetInt(const char* szKey);
    bool XMLCompare(const char* szKey, const char* szText);
    void XMLDelete(const char* szKey);
    void XMLClear();
    bool ParseXML(const char* szFile, uint8_t nFlags);
    bool XMLSave(const char* szFile, uint8_t nFlags);

private:
    KorvidXMLEntry* FindXMLEntry(const char* szKey);
    bool FillXMLEntry(KorvidXMLEntry& Entry, const char* szKey, const char* szValue);
    void EmptyXMLEntry(KorvidXMLEntry& Entry);

    // Entries are appended at index m_nXMLEntriesUsed; a deleted entry leaves a
    // hole that is not filled again.
    KorvidXMLEntry m_XMLEntries[KOR_XML_MAX_ENTRIES] = {};
    int32_t m_nXMLEntriesUsed = 0;
};
