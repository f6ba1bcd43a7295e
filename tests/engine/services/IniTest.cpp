// Settings files: key lookups, quotes, defaults, the typed getters, section and
// key lists, files edited by hand or damaged; and the writer's exact bytes after
// each kind of change, comments, and writes that fail before the new file takes
// the old one's place.
#include <sys/stat.h>

#include "ServiceTest.h"

namespace {

class Ini : public ServiceTest {
protected:
    void SetUp() override
    {
        ServiceTest::SetUp();
        Korvid.SetIniFile("settings.ini");
        Korvid.SetIniSection("Game");
        Korvid.SetIniTempFile("settings.tmp");
    }

    // The output and the result of one lookup; a list's output up to and including its closing zero.
    static std::pair<std::string, int32_t> Lookup(const char* szSection, const char* szKey, const char* szDefault,
                                                  int32_t nSize = 256, bool bList = false)
    {
        std::vector<char> Output((size_t)nSize, 'u');   // exactly the size given: the sanitiser sees any overrun
        int32_t nResult = Korvid.GetProfileString(szSection, szKey, szDefault, Output.data(), nSize, "settings.ini");
        return {bList ? std::string(Output.data(), (size_t)nResult + 2) : std::string(Output.data()), nResult};
    }
};

TEST_F(Ini, LooksUpValuesAndFallsBackToTheDefault)
{
    const std::string Long(300, 'x');
    // Zero bytes, stray line ends and bytes above 127; no "[" among them, which would end the section.
    std::string Binary;
    for (int n = 0; n < 5000; ++n)
        Binary += (char)((n * 131 + 7) & 0xFF) == '[' ? ']' : (char)((n * 131 + 7) & 0xFF);
    const struct {
        const char* szName;
        std::string Content;
        const char* szSection;
        const char* szKey;
        const char* szDefault;
        std::string Expected;
    } Cases[] = {
        {"section case and key blank", "[Game]\nH1 =5000\n", "game", "H1", "0", "5000"},
        {"key case", "[Game]\nsound=1\n", "Game", "SOUND", "0", "1"},
        {"value trimmed", "[Game]\nName =   Kim   \n", "Game", "Name", "", "Kim"},
        {"line trimmed of spaces", "   [Game]   \n   Name=Kim\n", "Game", "Name", "", "Kim"},
        {"tab is not trimmed", "[Game]\n\tName=Kim\n", "Game", "Name", "none", "none"},
        {"single quotes", "[Game]\nName='Jo Jo'\n", "Game", "Name", "", "Jo Jo"},
        {"double quotes", "[Game]\nName=\"Jo Jo\"\n", "Game", "Name", "", "Jo Jo"},
        {"lone quote kept", "[Game]\nName='\n", "Game", "Name", "", "'"},
        {"mixed quotes kept", "[Game]\nName='Jo\"\n", "Game", "Name", "", "'Jo\""},
        {"first equals splits", "[Game]\nUrl=a=b\n", "Game", "Url", "", "a=b"},
        {"CR LF line ends", "[Other]\r\nA=1\r\n[Game]\r\nA=2\r\n", "Game", "A", "", "2"},
        {"CR only line ends", "[Game]\rA=3\r", "Game", "A", "", "3"},
        {"last line without end", "[Game]\nA=4", "Game", "A", "", "4"},
        {"comment skipped", "[Game]\n;A=1\nA=5\n", "Game", "A", "", "5"},
        {"first match wins", "[Game]\nA=6\nA=7\n", "Game", "A", "", "6"},
        {"missing key", "[Game]\nA=1\n", "Game", "B", "9", "9"},
        {"key in another section", "[Other]\nB=1\n[Game]\nA=1\n", "Game", "B", "9", "9"},
        {"next section ends the search", "[Game]\nA=1\n[Other]\nB=1\n", "Game", "B", "9", "9"},
        {"a bare [ ends the section", "[Game]\n[\nB=1\n", "Game", "B", "9", "9"},
        {"missing section", "[Other]\nB=1\n", "Game", "B", "9", "9"},
        {"key without equals", "[Game]\nB\n", "Game", "B", "9", "9"},
        {"empty value", "[Game]\nB=\n", "Game", "B", "9", "9"},
        {"empty quotes", "[Game]\nB=''\n", "Game", "B", "9", "9"},
        {"missing key: default trimmed, unquoted", "[Game]\n", "Game", "B", "  'd'  ", "d"},
        {"empty value: default unchanged", "[Game]\nB=\n", "Game", "B", "  'd'  ", "  'd'  "},
        {"no default", "[Game]\n", "Game", "B", nullptr, ""},
        // Hand-edited files: blank lines and over-long lines no longer end the file.
        {"blank lines skipped", "[Game]\n\nA=1\n\n\n\nB=2\n", "Game", "B", "", "2"},
        {"blank CR LF lines skipped", "[Game]\r\n\r\n\r\nB=2\r\n", "Game", "B", "", "2"},
        {"over-long line read whole", "[Game]\nLong=" + Long + "\nB=3\n", "Game", "B", "", "3"},
        {"over-long value cut", "[Game]\nL=" + Long + "\n", "Game", "L", "", std::string(253, 'x')},
        {"line of exactly 255", "[Game]\n" + std::string(255, 'y') + "\nB=4\n", "Game", "B", "", "4"},
        {"damaged bytes before the key", "[Game]\n" + Binary + "\nKey=found\n", "Game", "Key", "", "found"},
        {"a line of a megabyte", "[Game]\nJ=" + std::string(1 << 20, 'j') + "\nK=after\n", "Game", "K", "", "after"},
        {"missing file", "", "Game", "A", "dflt", "dflt"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        std::remove("settings.ini");
        if (!Case.Content.empty())
            WriteFileText("settings.ini", Case.Content);
        EXPECT_EQ(Lookup(Case.szSection, Case.szKey, Case.szDefault),
                  std::make_pair(Case.Expected, (int32_t)Case.Expected.size()));
    }
    WriteFileText("settings.ini", "[Game]\nName=Kimberley\n");
    EXPECT_EQ(Lookup("Game", "Name", "", 4), std::make_pair(std::string("Kim"), 3)) << "cut to the output size";
    EXPECT_EQ(Lookup("Game", "Missing", "Default", 4), std::make_pair(std::string("Def"), 3));

    char szOutput[8] = "keep";
    EXPECT_EQ(Korvid.GetProfileString("Game", "A", "d", nullptr, 8, "settings.ini"), 0);
    EXPECT_EQ(Korvid.GetProfileString("Game", "A", "d", szOutput, 8, nullptr), 0);
    EXPECT_EQ(Korvid.GetProfileString("Game", "A", "d", szOutput, 0, "settings.ini"), 0);
    EXPECT_STREQ(szOutput, "keep");
}

TEST_F(Ini, ListsSectionsAndKeys)
{
    WriteFileText("settings.ini", "; top\n[Game]\nA=1\n\n;B=2\nLonger=3\n[Sound]\nVolume=4\n[Empty]\n");
    EXPECT_EQ(Lookup(nullptr, nullptr, "", 256, true), std::make_pair(std::string("Game\0Sound\0Empty\0\0", 18), 16));
    EXPECT_EQ(Lookup("game", nullptr, "", 256, true), std::make_pair(std::string("A\0Longer\0\0", 10), 8));
    // A name that does not fit with two bytes to spare is cut and ends the list.
    EXPECT_EQ(Lookup(nullptr, nullptr, "", 8, true), std::make_pair(std::string("Game\0S\0\0", 8), 6));
    EXPECT_EQ(Lookup("Empty", nullptr, "none"), std::make_pair(std::string("none"), 4)) << "an empty list";
}

TEST_F(Ini, ConvertsIntegersAndBooleans)
{
    const struct {
        const char* szValueLine;
        int32_t nInt;   // IniGetInt with default 42
        bool bBool;     // IniGetBool with default true
    } Cases[] = {
        {"V=5000", 5000, false}, {"V=1", 1, true}, {"V=2", 2, false},  {"V=0", 0, false},     {"V=-12", -12, false},
        {"V= +7 ", 7, false},    {"V=abc", 0, false}, {"V=", 42, true}, {"W=3", 42, true},     {"V='1'", 1, true},
        {"V=12x", 12, false},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szValueLine);
        WriteFileText("settings.ini", std::string("[Game]\n") + Case.szValueLine + "\n");
        EXPECT_EQ(Korvid.IniGetInt("V", 42), Case.nInt);
        EXPECT_EQ(Korvid.IniGetBool("V", true), Case.bBool);
    }
    EXPECT_FALSE(Korvid.IniGetBool("W", false));
    std::remove("settings.ini");
    char szOutput[256];
    Korvid.IniGetString("Name", "Nobody", szOutput);
    EXPECT_STREQ(szOutput, "Nobody");
    EXPECT_EQ(Korvid.IniGetInt("H1", -5), -5);
}

TEST_F(Ini, RefusesNamesItCannotKeep)
{
    char szName[256];
    Korvid.SetIniSection(nullptr);
    Korvid.GetIniSection(szName);
    EXPECT_STREQ(szName, "Game");
    Korvid.SetIniTempFile(std::string(256, 't').c_str());
    Korvid.GetIniTempFile(szName);
    EXPECT_STREQ(szName, "settings.tmp");
    EXPECT_EQ(LogMessages().back(),
              "ERROR: ** SetIniTempFile('" + std::string(64, 't') + "...') - Longer Than 255 Characters, Refused **");
    Korvid.SetIniFile(std::string(255, 'f').c_str());
    Korvid.GetIniFile(szName);
    EXPECT_EQ(std::string(szName), std::string(255, 'f'));
}

TEST_F(Ini, RewritesOneKeyAndKeepsEveryOtherLine)
{
    const struct {
        const char* szName;
        const char* szBefore;
        const char* szSection;
        const char* szKey;
        const char* szValue;
        const char* szAfter;
    } Cases[] = {
        {"replace in place", "; settings\n[Game]\nA=1\nB=2\nC=3\n[Sound]\nB=9\n", "Game", "b", "5",
         "; settings\n[Game]\nA=1\nb=5\nC=3\n[Sound]\nB=9\n"},
        {"new key before the next section", "[Game]\nA=1\n[Sound]\nV=2\n", "game", "New", "7",
         "[Game]\nA=1\nNew=7\n[Sound]\nV=2\n"},
        {"new key at the end of the last section", "[Sound]\nV=2\n[Game]\nA=1\n", "Game", "New", "7",
         "[Sound]\nV=2\n[Game]\nA=1\nNew=7\n"},
        {"new section at the end", "[Sound]\nV=2\n", "Game", "New", "7", "[Sound]\nV=2\n[Game]\nNew=7\n"},
        {"null value removes the key", "[Game]\nA=1\nB=2\n[Sound]\nB=3\n", "Game", "B", nullptr,
         "[Game]\nA=1\n[Sound]\nB=3\n"},
        {"null value on a missing key", "[Game]\nA=1\n", "Game", "B", nullptr, "[Game]\nA=1\n"},
        {"null key empties the section", "[Game]\nA=1\n; kept\nB=2\n[Sound]\nV=2\n", "Game", nullptr, "x",
         "[Game]\n; kept\n[Sound]\nV=2\n"},
        {"lines trimmed, CR LF becomes LF", "  [Game]  \r\n  A = 1  \r\n", "Game", "A", "2", "[Game]\nA=2\n"},
        {"only the first match is replaced", "[Game]\nA=1\nA=2\n", "Game", "A", "3", "[Game]\nA=3\nA=2\n"},
        {"comments inside the section stay", "[Game]\n;A=1\nA=2\n", "Game", "A", "3", "[Game]\n;A=1\nA=3\n"},
        {"missing final line end", "[Game]\nA=1", "Game", "A", "2", "[Game]\nA=2\n"},
        // Hand-edited files keep their blank lines; a new key goes right after
        // the section's last entry, before the blank lines that part it from the next.
        {"blank lines kept", "[Game]\n\nA=1\n\n\n[Sound]\n\nV=2\n", "Game", "B", "2",
         "[Game]\n\nA=1\nB=2\n\n\n[Sound]\n\nV=2\n"},
        {"blank lines at the end kept", "[Game]\nA=1\n\n", "Game", "B", "2", "[Game]\nA=1\nB=2\n\n"},
        {"blank line then the rest of the file", "[Game]\nA=1\n\nB=2\nC=3\n", "Game", "C", "4",
         "[Game]\nA=1\n\nB=2\nC=4\n"},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        WriteFileText("settings.ini", Case.szBefore);
        EXPECT_TRUE(Korvid.WriteProfileString(Case.szSection, Case.szKey, Case.szValue, "settings.ini"));
        EXPECT_EQ(ReadFileText("settings.ini"), Case.szAfter);
        EXPECT_FALSE(PathExists("settings.tmp"));
    }
}

// Hand-edited lines past 255 characters, in the changed section and outside it,
// survive the rewrite whole.
TEST_F(Ini, LongLinesTheWriterDoesNotChangeReachTheNewFileWhole)
{
    const std::string Comment = ";" + std::string(400, 'c'), Long = "Path=" + std::string(300, 'p');
    WriteFileText("settings.ini", "[Game]\n" + Comment + "\n" + Long + "\nA=1\n[Other]\n" + Long + "\n");
    EXPECT_TRUE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\n" + Comment + "\n" + Long + "\nA=2\n[Other]\n" + Long + "\n");
}

TEST_F(Ini, TypedWritersAndCommentsCreateTheFileAndRoundTrip)
{
    Korvid.IniWriteComment("made by hand");
    Korvid.IniWriteComment(";kept as it is");
    EXPECT_TRUE(Korvid.IniWriteInt("Score", -250));
    EXPECT_EQ(ReadFileText("settings.ini"), "; made by hand\n;kept as it is\n[Game]\nScore=-250\n");
    EXPECT_TRUE(Korvid.IniWriteBool("Sound", true));
    EXPECT_TRUE(Korvid.IniWriteBool("Music", false));
    EXPECT_TRUE(Korvid.IniWriteString("Name", "Jo Jo"));
    EXPECT_TRUE(Korvid.IniWriteInt("Score", 1000));
    EXPECT_EQ(ReadFileText("settings.ini"),
              "; made by hand\n;kept as it is\n[Game]\nScore=1000\nSound=1\nMusic=0\nName=Jo Jo\n");
    char szName[256];
    Korvid.IniGetString("Name", "", szName);
    EXPECT_STREQ(szName, "Jo Jo");
    EXPECT_EQ(Korvid.IniGetInt("Score", 0), 1000);
    EXPECT_TRUE(Korvid.IniGetBool("Sound", false));
    EXPECT_FALSE(Korvid.IniGetBool("Music", true));
    // A last line without its line end keeps its value.
    WriteFileText("settings.ini", "[Game]\nA=1");
    Korvid.IniWriteComment("note");
    EXPECT_EQ(ReadFileText("settings.ini"), "[Game]\nA=1\n; note\n");
    EXPECT_EQ(Korvid.IniGetInt("A", 0), 1);
}

TEST_F(Ini, RefusedWritesLeaveTheFileAlone)
{
    const std::string Before = "[Game]\nName=Kim\n";
    WriteFileText("settings.ini", Before);
    EXPECT_FALSE(Korvid.IniWriteString("Name", "Kim\n[Other]"));
    EXPECT_FALSE(Korvid.IniWriteString("Na\rme", "Kim"));
    Korvid.IniWriteComment("one\ntwo");
    EXPECT_FALSE(Korvid.WriteProfileString(nullptr, "Key", "v", "settings.ini"));
    EXPECT_FALSE(Korvid.WriteProfileString("Game", "Key", "v", nullptr));
    Korvid.SetIniTempFile("missing/settings.tmp");
    EXPECT_FALSE(Korvid.IniWriteInt("A", 2));
    // A temporary file named like the settings file would wipe it while it is read.
    Korvid.SetIniTempFile("settings.ini");
    EXPECT_FALSE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(ReadFileText("settings.ini"), Before);
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** IniWriteComment - Line Break In Comment Refused **",
                                 "ERROR: ** WriteProfileString - Temp File Is The INI File 'settings.ini' **"}));

    // Nothing to write, or no directory to hold it: no file.
    EXPECT_FALSE(Korvid.WriteProfileString("Game", "Key", nullptr, "other.ini"));
    EXPECT_FALSE(Korvid.WriteProfileString("Game", nullptr, "v", "other.ini"));
    EXPECT_FALSE(PathExists("other.ini"));
    EXPECT_FALSE(Korvid.WriteProfileString("Game", "Key", "v", "missing/settings.ini"));
}

// What the replace step found when it was asked to run.
std::string g_TempContentAtReplace;

bool FailingReplace(const char* szTempPath, const char*)
{
    g_TempContentAtReplace = ReadFileText(szTempPath);
    return false;
}

TEST_F(Ini, ReplacesTheFileUnderTheReadDirectoryOrKeepsItWhenThatFails)
{
    mkdir("data", 0700);
    WriteFileText("data/settings.ini", "; mine\n[Game]\nA=1\n");
    Korvid.SetReadDir("data/");
    Korvid.SetIniReplaceFunction(FailingReplace);
    EXPECT_FALSE(Korvid.IniWriteInt("A", 2));
    EXPECT_EQ(g_TempContentAtReplace, "; mine\n[Game]\nA=2\n");
    EXPECT_EQ(ReadFileText("data/settings.ini"), "; mine\n[Game]\nA=1\n");
    EXPECT_FALSE(PathExists("data/settings.tmp"));
    EXPECT_EQ(LogMessages().back(),
              "ERROR: ** WriteProfileString - Can't Replace 'settings.ini' With 'settings.tmp' **");

    Korvid.SetIniReplaceFunction(nullptr);
    EXPECT_TRUE(Korvid.IniWriteInt("A", 3));
    EXPECT_EQ(ReadFileText("data/settings.ini"), "; mine\n[Game]\nA=3\n");
    EXPECT_FALSE(PathExists("data/settings.tmp"));
    EXPECT_FALSE(PathExists("settings.ini"));
}

}  // namespace
