// The text library: table-driven cases per operation, and the log lines of the
// operations that refuse their input.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "korvid.h"
#include "support/TestApp.h"

namespace {

// Runs Operation on a copy of Input in a roomy buffer and returns the result.
template <typename Operation>
std::string Applied(const char* szInput, Operation Apply)
{
    char szBuffer[256] = {};
    snprintf(szBuffer, sizeof(szBuffer), "%s", szInput);
    Apply(szBuffer);
    return szBuffer;
}

TEST(Strings, EqualityWithAndWithoutCase)
{
    struct Case {
        const char* a;
        const char* b;
        bool bExact, bAnyCase;
    };
    const Case Cases[] = {
        {"Data", "DATA", false, true}, {"Data", "Data", true, true},   {"Data", "Dat", false, false},
        {"Dat", "Data", false, false}, {"", "", true, true},           {"a[", "A{", false, false},
        {"\xe4", "\xc4", false, false}, {"Z9_", "z9_", false, true},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(KorvidString::StringEqual(C.a, C.b, 1), C.bExact) << C.a << " / " << C.b;
        EXPECT_EQ(KorvidString::StringEqual(C.a, C.b, 0), C.bAnyCase) << C.a << " / " << C.b;
    }
    EXPECT_FALSE(KorvidString::StringEqual("x", nullptr, 0));
}

TEST(Strings, FindGivesTheFirstOccurrence)
{
    struct Case {
        const char* szText;
        const char* szPattern;
        int nCase;
        int nPosition;   // -1: not found
    };
    const Case Cases[] = {
        {"level01.dat", ".dat", 1, 7}, {"level01.DAT", ".dat", 1, -1}, {"level01.DAT", ".dat", 0, 7},
        {"abab", "ab", 1, 0},          {"aaab", "aab", 1, 1},          {"abc", "", 1, 0},
        {"", "a", 1, -1},              {"ab", "abc", 0, -1},           {"xYz xyz", "xyz", 1, 4},
    };
    for (const Case& C : Cases) {
        const char* pFound = KorvidString::StringFind(C.szText, C.szPattern, C.nCase);
        EXPECT_EQ(pFound ? (int)(pFound - C.szText) : -1, C.nPosition) << C.szText << " / " << C.szPattern;
    }
}

TEST(Strings, ReplaceEveryOccurrence)
{
    struct Case {
        const char* szInput;
        const char* szOld;
        const char* szNew;
        const char* szResult;
    };
    const Case Cases[] = {
        {"data\\gfx\\title.kvp", "\\", "/", "data/gfx/title.kvp"},
        {"aaa", "a", "aa", "aaaaaa"},
        {"one two one", "one", "1", "1 two 1"},
        {"abcabc", "abc", "", ""},
        {"nothing", "x", "y", "nothing"},
        {"same", "", "y", "same"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Applied(C.szInput, [&](char* s) { KorvidString::StringReplace(s, C.szOld, C.szNew); }),
                  C.szResult)
            << C.szInput;
}

TEST(Strings, InPlaceEditsOfEnds)
{
    struct Case {
        const char* szInput;
        std::function<void(char*)> Apply;
        const char* szResult;
    };
    const Case Cases[] = {
        {"  hello ", [](char* s) { KorvidString::StringTrimLeft(s, ' '); }, "hello "},
        {"  hello ", [](char* s) { KorvidString::StringTrimRight(s, ' '); }, "  hello"},
        {"xxxx", [](char* s) { KorvidString::StringTrimLeft(s, 'x'); }, ""},
        {"xxxx", [](char* s) { KorvidString::StringTrimRight(s, 'x'); }, ""},
        {"file.kvp", [](char* s) { KorvidString::StringCutRight(s, 4); }, "file"},
        {"file", [](char* s) { KorvidString::StringCutRight(s, 4); }, ""},
        {"file", [](char* s) { KorvidString::StringCutRight(s, 40); }, ""},
        {"file", [](char* s) { KorvidString::StringCutRight(s, 0); }, "file"},
        {"gfx/a.kvp", [](char* s) { KorvidString::StringInsert(s, "data/"); }, "data/gfx/a.kvp"},
        {"", [](char* s) { KorvidString::StringInsert(s, "data/"); }, ""},
        {"abc", [](char* s) { KorvidString::StringInsert(s, ""); }, "abc"},
        {"abc", [](char* s) { KorvidString::StringAppend(s, "def"); }, "abcdef"},
        {"Gr\xfc\xdf" "e 1a", [](char* s) { Korvid.StringToUpper(s); }, "GR\xfc\xdf" "E 1A"},
        {"ABC xyz [Z]", [](char* s) { Korvid.StringToLower(s); }, "abc xyz [z]"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Applied(C.szInput, C.Apply), C.szResult) << C.szInput;
}

TEST(Strings, StripControlRemovesControlBytesAndEverythingFrom128)
{
    char szText[] = "a\tb\x01\x1f" "c\r\nd\x7f\x80\xe4\xff" "e ";
    KorvidString::StringStripControl(szText);
    EXPECT_STREQ(szText, "a\tbcd\x7f" "e ");
}

TEST(Strings, CopiesWholeBoundedAndUntilACharacter)
{
    char szBuffer[16];
    memset(szBuffer, 'Q', sizeof(szBuffer));
    KorvidString::StringCopyN(szBuffer, "abc", 6);
    EXPECT_EQ(std::string(szBuffer, 7), std::string("abc\0\0\0Q", 7));
    KorvidString::StringCopyN(szBuffer, "abcdefgh", 4);
    EXPECT_EQ(std::string(szBuffer, 7), std::string("abcd\0\0Q", 7));

    KorvidString::StringCopy(szBuffer, "hello");
    EXPECT_STREQ(szBuffer, "hello");
    EXPECT_EQ(KorvidString::StringLength(szBuffer), 5);

    KorvidString::StringCopyUntil("key=value", szBuffer, '=');
    EXPECT_STREQ(szBuffer, "key");
    KorvidString::StringCopyUntil("novalue", szBuffer, '=');
    EXPECT_STREQ(szBuffer, "novalue");
}

TEST(Strings, PascalStringsTruncateLongTextWithAWarning)
{
    EnterScratchDirectory();
    Korvid.StartLog();
    uint8_t Pascal[300];
    Korvid.StringToPascal(Pascal, "Level");
    EXPECT_EQ(Pascal[0], 5);
    EXPECT_EQ(std::string((char*)Pascal + 1, 5), "Level");
    EXPECT_EQ(IndexOf(LogMessages(), "WARNING: StringToPascal() - String Too Large, Will be Truncated ('Level')"), -1);

    std::string Long(300, 'x');
    Long[254] = 'L';
    Long[255] = 'C';
    memset(Pascal, 0xAA, sizeof(Pascal));
    Korvid.StringToPascal(Pascal, Long.c_str());
    EXPECT_EQ(Pascal[0], 255);
    EXPECT_EQ(Pascal[255], 'L');
    EXPECT_EQ(Pascal[256], 0xAA);
    EXPECT_NE(IndexOf(LogMessages(), "WARNING: StringToPascal() - String Too Large, Will be Truncated ('" + Long + "')"),
              -1);
}

TEST(Strings, WideRoundTripKeepsTheLowByte)
{
    uint16_t Wide[8];
    KorvidString::StringToWide(Wide, "A\xe4z");
    EXPECT_EQ(Wide[0], 'A');
    EXPECT_EQ(Wide[1], 0xE4);   // bytes are unsigned, not sign-extended
    EXPECT_EQ(Wide[3], 0);
    Wide[2] = 0x417A;
    char szBack[8];
    KorvidString::StringFromWide(szBack, Wide);
    EXPECT_STREQ(szBack, "A\xe4z");
}

TEST(Strings, ToIntegerReadsSignAndDigits)
{
    struct Case {
        const char* szText;
        int32_t nValue;
    };
    const Case Cases[] = {
        {"42", 42},        {"  \t-17x", -17}, {"+8", 8},           {"abc", 0},
        {"", 0},           {"- 5", 0},        {"007", 7},          {"+-3", 0},
        {"2147483647", 2147483647},           {"-2147483648", INT32_MIN},
        {"99999999999", INT32_MAX},           {"-99999999999", INT32_MIN},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(KorvidString::StringToInteger(C.szText), C.nValue) << C.szText;
}

TEST(Strings, IntegerToStringAndPrintf)
{
    char szBuffer[32];
    Korvid.IntegerToString(szBuffer, -2048);
    EXPECT_STREQ(szBuffer, "-2048");
    EXPECT_EQ(KorvidString::StringPrintf(szBuffer, "%s-%03d", "L", 7), 5);
    EXPECT_STREQ(szBuffer, "L-007");
}

TEST(Strings, NullArgumentsAreLogged)
{
    EnterScratchDirectory();
    Korvid.StartLog();
    Korvid.StringToUpper(nullptr);
    Korvid.StringToLower(nullptr);
    Korvid.IntegerToString(nullptr, 5);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** StringToUpper NULL String **",
                                                "ERROR: ** StringToLower NULL String **",
                                                "ERROR: ** IntegerToString() - Passed string is NULL **"}));
}

}  // namespace
