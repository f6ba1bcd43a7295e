// Reading settings: key lookups, quotes, defaults, the typed getters, section
// and key lists, and files edited by hand or damaged.
#include <gtest/gtest.h>

#include <string>

#include "korvid.h"
#include "support/TestFiles.h"
#include "support/TestApp.h"

namespace {

class IniRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.StartLog();
        Korvid.SetIniFile("settings.ini");
        Korvid.SetIniSection("Game");
        Korvid.SetIniTempFile("settings.tmp");
    }

    // The output and the result of one lookup with a 256-byte output.
    std::pair<std::string, int32_t> Lookup(const char* szSection, const char* szKey, const char* szDefault,
                                           int32_t nSize = 256)
    {
        char szOutput[256] = "untouched";
        int32_t nResult = Korvid.GetProfileString(szSection, szKey, szDefault, szOutput, nSize, "settings.ini");
        return {szOutput, nResult};
    }
};

struct LookupCase {
    const char* szName;
    std::string Content;
    const char* szSection;
    const char* szKey;
    const char* szDefault;
    const char* szExpected;
};

TEST_F(IniRead, LooksUpValuesAndFallsBackToTheDefault)
{
    const std::string Long(300, 'x');
    const LookupCase Cases[] = {
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
        {"over-long value cut", "[Game]\nL=" + Long + "\n", "Game", "L", "", nullptr},
        {"line of exactly 255", "[Game]\n" + std::string(255, 'y') + "\nB=4\n", "Game", "B", "", "4"},
    };
    for (const LookupCase& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        WriteFileText("settings.ini", Case.Content);
        auto [Output, nResult] = Lookup(Case.szSection, Case.szKey, Case.szDefault);
        std::string Expected = Case.szExpected ? Case.szExpected : std::string(253, 'x');
        EXPECT_EQ(Output, Expected);
        EXPECT_EQ(nResult, (int32_t)Expected.size());
    }
}

TEST_F(IniRead, CutsTheValueToTheOutputSize)
{
    WriteFileText("settings.ini", "[Game]\nName=Kimberley\n");
    auto [Output, nResult] = Lookup("Game", "Name", "", 4);
    EXPECT_EQ(Output, "Kim");
    EXPECT_EQ(nResult, 3);
    std::tie(Output, nResult) = Lookup("Game", "Missing", "Default", 4);
    EXPECT_EQ(Output, "Def");
    EXPECT_EQ(nResult, 3);
}

TEST_F(IniRead, MissingFileOrOutputGivesTheNeutralResult)
{
    EXPECT_EQ(Lookup("Game", "A", "dflt"), std::make_pair(std::string("dflt"), 4));
    char szOutput[8] = "keep";
    EXPECT_EQ(Korvid.GetProfileString("Game", "A", "d", nullptr, 8, "settings.ini"), 0);
    EXPECT_EQ(Korvid.GetProfileString("Game", "A", "d", szOutput, 8, nullptr), 0);
    EXPECT_STREQ(szOutput, "keep");
    EXPECT_EQ(Korvid.GetProfileString("Game", "A", "d", szOutput, 0, "settings.ini"), 0);
    EXPECT_STREQ(szOutput, "keep");
}

// The bytes of a zero-separated list up to and including its closing zero.
std::string ListBytes(const char* szOutput, int32_t nResult) { return std::string(szOutput, (size_t)nResult + 2); }

TEST_F(IniRead, ListsSectionsAndKeys)
{
    WriteFileText("settings.ini", "; top\n[Game]\nA=1\n\n;B=2\nLonger=3\n[Sound]\nVolume=4\n[Empty]\n");
    char szOutput[256];
    int32_t nResult = Korvid.GetProfileString(nullptr, nullptr, "", szOutput, 256, "settings.ini");
    EXPECT_EQ(ListBytes(szOutput, nResult), std::string("Game\0Sound\0Empty\0\0", 18));
    EXPECT_EQ(nResult, 16);

    nResult = Korvid.GetProfileString("game", nullptr, "", szOutput, 256, "settings.ini");
    EXPECT_EQ(ListBytes(szOutput, nResult), std::string("A\0Longer\0\0", 10));
    EXPECT_EQ(nResult, 8);

    // A name that does not fit with two bytes to spare is cut and ends the list.
    char szSmall[8];
    nResult = Korvid.GetProfileString(nullptr, nullptr, "", szSmall, 8, "settings.ini");
    EXPECT_EQ(ListBytes(szSmall, nResult), std::string("Game\0S\0\0", 8));
    EXPECT_EQ(nResult, 6);

    // An empty list gives the default.
    nResult = Korvid.GetProfileString("Empty", nullptr, "none", szOutput, 256, "settings.ini");
    EXPECT_STREQ(szOutput, "none");
    EXPECT_EQ(nResult, 4);
}

struct TypedCase {
    const char* szValueLine;
    int32_t nExpectedInt;   // IniGetInt with default 42
    bool bExpectedBool;     // IniGetBool with default true
};

TEST_F(IniRead, ConvertsIntegersAndBooleans)
{
    const TypedCase Cases[] = {
        {"V=5000", 5000, false}, {"V=1", 1, true},        {"V=2", 2, false},   {"V=0", 0, false},
        {"V=-12", -12, false},   {"V= +7 ", 7, false},    {"V=abc", 0, false}, {"V=", 42, true},
        {"W=3", 42, true},       {"V='1'", 1, true},      {"V=12x", 12, false},
    };
    for (const TypedCase& Case : Cases) {
        SCOPED_TRACE(Case.szValueLine);
        WriteFileText("settings.ini", std::string("[Game]\n") + Case.szValueLine + "\n");
        EXPECT_EQ(Korvid.IniGetInt("V", 42), Case.nExpectedInt);
        EXPECT_EQ(Korvid.IniGetBool("V", true), Case.bExpectedBool);
    }
    WriteFileText("settings.ini", "[Game]\n");
    EXPECT_FALSE(Korvid.IniGetBool("V", false));
}

TEST_F(IniRead, MissingFileGivesEveryGetterItsDefault)
{
    char szOutput[256];
    EXPECT_EQ(Korvid.IniGetInt("H1", -5), -5);
    EXPECT_TRUE(Korvid.IniGetBool("Sound", true));
    Korvid.IniGetString("Name", "Nobody", szOutput);
    EXPECT_STREQ(szOutput, "Nobody");
}

TEST_F(IniRead, SurvivesDamagedAndHugeFiles)
{
    // Zero bytes, stray line ends and bytes above 127 before the key; no "["
    // among them, which would end the section.
    std::string Binary = "[Game]\n";
    for (int n = 0; n < 5000; ++n) {
        char c = (char)((n * 131 + 7) & 0xFF);
        Binary += c == '[' ? ']' : c;
    }
    Binary += "\nKey=found\n";
    WriteFileText("settings.ini", Binary);
    EXPECT_EQ(Lookup("Game", "Key", "").first, "found");

    // One line of a megabyte: read past, the key after it is still found.
    WriteFileText("settings.ini", "[Game]\nJunk=" + std::string(1 << 20, 'j') + "\nKey=after\n");
    EXPECT_EQ(Lookup("Game", "Key", "").first, "after");
}

TEST_F(IniRead, KeepsTheCurrentNames)
{
    char szName[256];
    Korvid.GetIniFile(szName);
    EXPECT_STREQ(szName, "settings.ini");
    Korvid.SetIniSection(nullptr);
    Korvid.GetIniSection(szName);
    EXPECT_STREQ(szName, "Game");
    Korvid.SetIniTempFile(std::string(256, 't').c_str());
    Korvid.GetIniTempFile(szName);
    EXPECT_STREQ(szName, "settings.tmp");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** SetIniTempFile('" + std::string(64, 't') +
                                                "...') - Longer Than 255 Characters, Refused **"}));
    Korvid.SetIniTempFile(std::string(255, 't').c_str());
    Korvid.GetIniTempFile(szName);
    EXPECT_EQ(std::string(szName), std::string(255, 't'));
}

}  // namespace
