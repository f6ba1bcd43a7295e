// The text form of a level file: reading with exact error places, and writing
// with the built-in choice of characters.
#include "LevelText.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

namespace {

constexpr char EMPTY_TOKEN = '.';
constexpr char COMMENT = '#';
constexpr int NO_CODE = -2;

bool IsTokenChar(char c) { return c > ' ' && c < 127 && c != EMPTY_TOKEN && c != COMMENT; }
bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// ---- Writing: which character names which code ----------------------------

// The characters the writer gives the codes levels use most: a..z for the
// plain bricks of the first tile rows, letters for bonuses after their effect
// (G grow, S shrink, M more balls, L laser, E extra life, X lose a life ...),
// digits for the hits a multi-hit brick needs, '=' '|' '$' for walls.
struct Preferred {
    int nCode;
    char cToken;
};
const Preferred PREFERRED[] = {
    {0, 'a'},   {1, 'b'},   {2, 'c'},   {3, 'd'},   {4, 'e'},   {5, 'f'},   {6, 'g'},   {7, 'h'},
    {8, 'i'},   {9, 'j'},   {10, 'k'},  {11, 'l'},  {12, 'm'},  {13, 'n'},  {14, 'o'},  {15, 'p'},
    {16, 'q'},  {17, 'r'},  {18, 's'},  {19, 't'},  {40, 'u'},  {41, 'v'},  {42, 'w'},  {43, 'x'},
    {44, 'y'},  {45, 'z'},  {20, 'G'},  {21, 'S'},  {22, 'M'},  {23, 'A'},  {24, 'V'},  {25, 'D'},
    {26, 'Q'},  {27, 'C'},  {28, 'P'},  {29, 'L'},  {30, 'E'},  {31, 'F'},  {32, 'R'},  {33, 'K'},
    {34, 'H'},  {35, '>'},  {36, '<'},  {37, '?'},  {38, '!'},  {39, 'X'},  {60, 'B'},  {61, 'I'},
    {62, 'N'},  {63, '_'},  {64, 'O'},  {65, 'U'},  {66, 'W'},  {67, 'T'},  {68, 'Y'},  {240, '4'},
    {300, '3'}, {280, '2'}, {260, '1'}, {180, '='}, {181, '|'}, {182, '$'}, {340, '~'}, {341, '{'},
    {342, '}'}, {353, '*'}, {354, '+'}, {355, ':'}, {497, '@'}, {498, '&'}, {499, '0'}};

// Characters for the other codes, in the order they are handed out.
std::string SpareTokens()
{
    std::set<char> Taken;
    for (const Preferred& Entry : PREFERRED)
        Taken.insert(Entry.cToken);
    std::string Spare;
    for (char c = '!'; c < 127; ++c)
        if (IsTokenChar(c) && !Taken.count(c))
            Spare += c;
    return Spare;
}

// Names each of the codes with a character: its preferred one, else the next
// spare, and when the spares run out the preferred characters of codes not in use.
bool ChooseTokens(const std::set<int>& Codes, std::map<int, char>& Tokens)
{
    static const std::string Spare = SpareTokens();
    Tokens.clear();
    std::set<char> Used;
    for (const Preferred& Entry : PREFERRED)
        if (Codes.count(Entry.nCode)) {
            Tokens[Entry.nCode] = Entry.cToken;
            Used.insert(Entry.cToken);
        }
    std::string Free = Spare;
    for (const Preferred& Entry : PREFERRED)
        if (!Used.count(Entry.cToken))
            Free += Entry.cToken;
    size_t nNextFree = 0;
    for (int nCode : Codes) {
        if (Tokens.count(nCode))
            continue;
        if (nNextFree == Free.size())
            return false;
        Tokens[nCode] = Free[nNextFree++];
    }
    return true;
}

void AppendKeys(const std::map<int, char>& Tokens, std::string& Text)
{
    for (const auto& [nCode, cToken] : Tokens) {
        char szLine[120];
        snprintf(szLine, sizeof(szLine), "key %c %3d   # %s\n", cToken, nCode, LevelCellDescription(nCode).c_str());
        Text += szLine;
    }
}

std::set<int> CodesOf(const Level& Level)
{
    std::set<int> Codes;
    for (int16_t nCode : Level.Cells)
        if (nCode != LEVEL_CELL_EMPTY)
            Codes.insert(nCode);
    return Codes;
}

// Every code the levels use; false when one cannot be written as text.
bool CollectPrintableCodes(const LevelFileData& File, std::set<int>& Codes, std::string& Reason)
{
    for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot) {
        const LevelCells& Cells = File.Levels[nSlot].Cells;
        for (int i = 0; i < LEVEL_CELLS; ++i) {
            int nCode = Cells[i];
            if (nCode == LEVEL_CELL_EMPTY)
                continue;
            if (nCode < 0 || nCode > LEVEL_CODE_MAX || i % LEVEL_ROWS >= LEVEL_PLAYED_ROWS) {
                char szReason[160];
                snprintf(szReason, sizeof(szReason), "slot %d holds %d at row %d, column %d: the text form has "
                         "cell codes 0..499 in rows 0..17", int(nSlot), nCode, i % LEVEL_ROWS, i / LEVEL_ROWS);
                Reason = szReason;
                return false;
            }
            Codes.insert(nCode);
        }
    }
    return true;
}

void AppendLevel(const Level& Source, int nNumber, const std::map<int, char>& Tokens, std::string& Text)
{
    Text += "level " + std::to_string(nNumber) + " background " + std::to_string(Source.nBackground) + "\n";
    for (int nRow = 0; nRow < LEVEL_PLAYED_ROWS; ++nRow) {
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn) {
            int nCode = Source.Cells[LevelCellIndex(nColumn, nRow)];
            Text += nCode == LEVEL_CELL_EMPTY ? EMPTY_TOKEN : Tokens.at(nCode);
        }
        Text += "\n";
    }
}

// ---- Reading --------------------------------------------------------------

struct Word {
    std::string Text;
    int nColumn;
};

std::vector<Word> SplitWords(const std::string& Line)
{
    std::vector<Word> Words;
    for (size_t n = 0; n < Line.size();) {
        if (IsSpace(Line[n])) {
            ++n;
            continue;
        }
        size_t nEnd = n;
        while (nEnd < Line.size() && !IsSpace(Line[nEnd]))
            ++nEnd;
        Words.push_back({Line.substr(n, nEnd - n), static_cast<int>(n) + 1});
        n = nEnd;
    }
    return Words;
}

bool ParseNumber(const std::string& Word, int& nValue)
{
    if (Word.empty() || Word.size() > 9)
        return false;
    char* pEnd = nullptr;
    long nParsed = strtol(Word.c_str(), &pEnd, 10);
    if (*pEnd != '\0')
        return false;
    nValue = static_cast<int>(nParsed);
    return true;
}

class TextReader {
public:
    TextReader(LevelFileData& File, LevelTextError& Error) : m_File(File), m_Error(Error) { m_Keys.fill(NO_CODE); }

    bool ReadLine(const std::string& Line, int nLine)
    {
        m_nLine = nLine;
        std::string Content = Line.substr(0, Line.find(COMMENT));
        std::vector<Word> Words = SplitWords(Content);
        if (Words.empty())
            return true;
        if (Words.size() == 1 && Words[0].Text != "key" && Words[0].Text != "level")
            return ReadRow(Words[0]);
        if (Words[0].Text == "key")
            return ReadKey(Words);
        if (Words[0].Text == "level")
            return ReadHeader(Words);
        return Fail(Words[0].nColumn, "expected a 'key' line, a 'level' line or a row of cells");
    }

    bool Finish(int nLastLine)
    {
        if (m_File.Levels.empty()) {
            m_nLine = nLastLine;
            return Fail(1, "no levels: a level begins with a line 'level N background B'");
        }
        return CheckRowCount();
    }

private:
    bool Fail(int nColumn, const std::string& Message)
    {
        m_Error = {m_nLine, nColumn, Message};
        return false;
    }

    bool ReadKey(const std::vector<Word>& Words)
    {
        if (Words.size() != 3)
            return Fail(Words[0].nColumn, "a key line is 'key C CODE': one character and its cell code");
        const Word& Token = Words[1];
        if (Token.Text.size() != 1 || !IsTokenChar(Token.Text[0]))
            return Fail(Token.nColumn, "a key is one character other than '.' and '#'");
        int nCode = 0;
        if (!ParseNumber(Words[2].Text, nCode) || nCode < 0 || nCode > LEVEL_CODE_MAX)
            return Fail(Words[2].nColumn, "a cell code is a number 0..499 ('.' is the empty cell)");
        m_Keys[static_cast<unsigned char>(Token.Text[0])] = nCode;
        return true;
    }

    bool ReadHeader(const std::vector<Word>& Words)
    {
        if (Words.size() != 4 || Words[2].Text != "background")
            return Fail(Words[0].nColumn, "a level line is 'level N background B'");
        int nNumber = 0, nBackground = 0;
        if (!ParseNumber(Words[1].Text, nNumber) || nNumber < 0)
            return Fail(Words[1].nColumn, "a level number is a number 0 or more");
        if (!ParseNumber(Words[3].Text, nBackground) || nBackground < 0 || nBackground > LEVEL_BACKGROUND_MAX)
            return Fail(Words[3].nColumn, "background " + Words[3].Text +
                                              " is outside 0..20 (1..20 name a picture, 0 a random one)");
        if (!m_File.Levels.empty() && !CheckRowCount())
            return false;
        if (!CheckNumber(nNumber, Words[1].nColumn))
            return false;
        if (m_File.Levels.empty())
            m_File.nFile = LevelPlaceOf(nNumber).nFile;
        m_File.Levels.emplace_back();
        m_File.Levels.back().nBackground = nBackground;
        m_nNumber = nNumber;
        m_nHeaderLine = m_nLine;
        m_nRows = 0;
        return true;
    }

    bool CheckNumber(int nNumber, int nColumn)
    {
        char szMessage[160];
        if (m_File.Levels.empty()) {
            if (nNumber % LEVELS_PER_FILE == 0 && LevelPlaceOf(nNumber).nFile <= LEVEL_FILE_COUNT)
                return true;
            snprintf(szMessage, sizeof(szMessage),
                     "level %d cannot begin a file: a file begins with level 0, 10, 20, ... or 100", nNumber);
            return Fail(nColumn, szMessage);
        }
        int nExpected = m_nNumber + 1;
        if (nExpected % LEVELS_PER_FILE == 0) {
            snprintf(szMessage, sizeof(szMessage), "a file holds ten levels; level %d begins the next file",
                     nExpected);
            return Fail(nColumn, szMessage);
        }
        if (nNumber == nExpected)
            return true;
        snprintf(szMessage, sizeof(szMessage), "level %d found where level %d comes next", nNumber, nExpected);
        return Fail(nColumn, szMessage);
    }

    bool CheckRowCount()
    {
        if (m_nRows == LEVEL_PLAYED_ROWS)
            return true;
        char szMessage[120];
        snprintf(szMessage, sizeof(szMessage), "level %d has %d rows; a level has 18", m_nNumber, m_nRows);
        m_nLine = m_nHeaderLine;
        return Fail(1, szMessage);
    }

    bool ReadRow(const Word& Row)
    {
        if (m_File.Levels.empty())
            return Fail(Row.nColumn, "a row before the first 'level N background B' line");
        if (m_nRows == LEVEL_PLAYED_ROWS)
            return Fail(Row.nColumn, "a 19th row: a level has 18 rows, rows 18..20 are always empty");
        int nCells = static_cast<int>(Row.Text.size());
        if (nCells != LEVEL_COLUMNS) {
            char szMessage[80];
            snprintf(szMessage, sizeof(szMessage), "a row has 19 cells, this one has %d", nCells);
            return Fail(Row.nColumn + std::min(nCells, LEVEL_COLUMNS), szMessage);
        }
        Level& Target = m_File.Levels.back();
        for (int nColumn = 0; nColumn < LEVEL_COLUMNS; ++nColumn) {
            char cToken = Row.Text[nColumn];
            int nCode = cToken == EMPTY_TOKEN ? LEVEL_CELL_EMPTY : m_Keys[static_cast<unsigned char>(cToken)];
            if (nCode == NO_CODE)
                return Fail(Row.nColumn + nColumn,
                            std::string("unknown cell '") + cToken + "': no key line names it");
            Target.Cells[LevelCellIndex(nColumn, m_nRows)] = static_cast<int16_t>(nCode);
        }
        ++m_nRows;
        return true;
    }

    LevelFileData& m_File;
    LevelTextError& m_Error;
    std::array<int, 256> m_Keys;
    int m_nLine = 0;
    int m_nNumber = 0;       // number of the level being read
    int m_nHeaderLine = 0;   // its 'level' line
    int m_nRows = 0;         // its rows so far
};

}  // namespace

bool LevelParseText(const std::string& Text, LevelFileData& File, LevelTextError& Error)
{
    File = LevelFileData();
    TextReader Reader(File, Error);
    int nLine = 0;
    for (size_t nStart = 0; nStart < Text.size();) {
        size_t nEnd = Text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = Text.size();
        std::string Line = Text.substr(nStart, nEnd - nStart);
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        if (!Reader.ReadLine(Line, ++nLine))
            return false;
        nStart = nEnd + 1;
    }
    return Reader.Finish(nLine + 1);
}

bool LevelPrintText(const LevelFileData& File, std::string& Text, std::string& Reason)
{
    std::set<int> FileCodes;
    if (!CollectPrintableCodes(File, FileCodes, Reason))
        return false;
    int nFirst = (File.nFile - 1) * LEVELS_PER_FILE;
    char szLine[120];
    snprintf(szLine, sizeof(szLine), "# Tamborel 2 levels %d..%d (level file %d); the panel counts them from %d.\n",
             nFirst, nFirst + LEVELS_PER_FILE - 1, File.nFile, nFirst + 1);
    Text = szLine;
    Text += "# A level: a line 'level N background B' (B: picture 1..20, 0 a random one), then\n"
            "# 18 rows of 19 cells, one character each; '.' is an empty cell.\n"
            "# 'key C CODE' makes the character C stand for the cell code CODE from there on.\n";
    // One legend for the whole file when the characters suffice, else one per level.
    std::map<int, char> Tokens;
    bool bFileLegend = ChooseTokens(FileCodes, Tokens);
    if (bFileLegend) {
        Text += "\n";
        AppendKeys(Tokens, Text);
    }
    for (size_t nSlot = 0; nSlot < File.Levels.size(); ++nSlot) {
        const Level& Source = File.Levels[nSlot];
        Text += "\n";
        if (!bFileLegend) {
            if (!ChooseTokens(CodesOf(Source), Tokens)) {
                Reason = "slot " + std::to_string(nSlot) + " holds more different codes than the text form has "
                         "characters";
                return false;
            }
            AppendKeys(Tokens, Text);
        }
        AppendLevel(Source, nFirst + static_cast<int>(nSlot), Tokens, Text);
    }
    return true;
}
