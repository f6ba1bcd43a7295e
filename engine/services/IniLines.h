// The lines of an INI file as the settings reader and writer see them: read
// from the file layer, trimmed of spaces, and sorted into blank lines,
// comments, section headers and entries.
#pragma once
#include <cstdint>
#include <string>

constexpr int32_t KOR_INI_LINE_SIZE = 256;   // a line keeps at most 255 characters

enum class IniLineKind { Blank, Comment, Section, Entry };

struct IniLine {
    std::string Whole;                 // the whole line, trimmed of spaces, however long
    char szText[KOR_INI_LINE_SIZE];    // its first 255 characters, trimmed of spaces
    IniLineKind nKind;
    char szName[KOR_INI_LINE_SIZE];    // a header's section name, or an entry's key
    char szValue[KOR_INI_LINE_SIZE];   // an entry's value, trimmed, quotes kept
    bool bHasValue;                    // the entry line holds an "="
    bool StartsSection() const { return szText[0] == '['; }   // any "[" line ends the section before it
};

// Reads the lines of an open file. A line ends at CR or LF, and the other one
// of the pair right after it belongs to the same line end; CR CR and LF LF are
// two line ends with a blank line between them. A line longer than 255
// characters is read whole: it is examined by its first 255, and kept whole for
// the writer to copy. The last line needs no end.
class IniLineReader {
public:
    explicit IniLineReader(uint32_t hFile) : m_hFile(hFile) {}
    bool ReadLine(IniLine& Line);   // false once the file is used up

private:
    int32_t PeekByte();   // -1 at the end of the file
    void SkipByte() { ++m_nNext; }

    uint32_t m_hFile;
    uint8_t m_Chunk[512];
    int32_t m_nFill = 0;
    int32_t m_nNext = 0;
};

// A value longer than one character that starts and ends with the same quote
// character (' or ") loses both quotes.
void IniStripQuotes(char* szValue);

// Trims spaces (0x20 only, not tabs) from both ends.
void IniTrimSpaces(char* szText);

// Copies at most nSize - 1 characters and terminates; the result is the length.
int32_t IniCopyCut(char* szOutput, const char* szText, int32_t nSize);

// Writes each text in turn, then LF.
void IniWriteLine(uint32_t hFile, const char* szFirst, const char* szSecond = nullptr,
                  const char* szThird = nullptr);
