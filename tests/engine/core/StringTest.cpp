// The text library: a table of cases per operation, and the operations that refuse their input.
#include <cstring>

#include "CoreTest.h"

namespace {

using KS = KorvidString;
using Strings = CoreTest;   // the scratch directory takes the log of the refusing operations

template <typename... Fields>
using Table = std::vector<std::tuple<Fields...>>;

TEST_F(Strings, EqualityAndFindWithAndWithoutCase)
{
    for (auto [a, b, bExact, bAnyCase] : Table<const char*, const char*, bool, bool>{
             {"Data", "DATA", false, true}, {"Data", "Data", true, true}, {"Data", "Dat", false, false},
             {"Dat", "Data", false, false}, {"", "", true, true}, {"a[", "A{", false, false},
             {"\xe4", "\xc4", false, false}}) {
        EXPECT_EQ(KS::StringEqual(a, b, 1), bExact) << a << " / " << b;
        EXPECT_EQ(KS::StringEqual(a, b, 0), bAnyCase) << a << " / " << b;
    }
    EXPECT_FALSE(KS::StringEqual("x", nullptr, 0));
    for (auto [szText, szPattern, nCase, nAt] : Table<const char*, const char*, int, int>{
             {"level01.dat", ".dat", 1, 7}, {"level01.DAT", ".dat", 1, -1}, {"level01.DAT", ".dat", 0, 7},
             {"ab", "abc", 0, -1}, {"aaab", "aab", 1, 1}, {"abc", "", 1, 0}, {"xYz xyz", "xyz", 1, 4}}) {
        const char* pFound = KS::StringFind(szText, szPattern, nCase);
        EXPECT_EQ(pFound ? (int)(pFound - szText) : -1, nAt) << szText << " / " << szPattern;
    }
}

TEST_F(Strings, InPlaceEdits)
{
    for (auto [szOld, szNew, szInput, szResult] : Table<const char*, const char*, const char*, const char*>{
             {"\\", "/", "data\\gfx\\title.kvp", "data/gfx/title.kvp"}, {"a", "aa", "aaa", "aaaaaa"},
             {"one", "1", "one two one", "1 two 1"}, {"abc", "", "abcabc", ""}, {"", "y", "same", "same"}}) {
        char szBuffer[64];
        snprintf(szBuffer, sizeof(szBuffer), "%s", szInput);
        KS::StringReplace(szBuffer, szOld, szNew);
        EXPECT_STREQ(szBuffer, szResult) << szInput;
    }
    for (auto [szInput, Apply, szResult] : Table<const char*, std::function<void(char*)>, const char*>{
             {"  hello ", [](char* s) { KS::StringTrimLeft(s, ' '); }, "hello "},
             {"  hello ", [](char* s) { KS::StringTrimRight(s, ' '); }, "  hello"},
             {"xxxx", [](char* s) { KS::StringTrimLeft(s, 'x'); }, ""},
             {"xxxx", [](char* s) { KS::StringTrimRight(s, 'x'); }, ""},
             {"file.kvp", [](char* s) { KS::StringCutRight(s, 4); }, "file"},
             {"file", [](char* s) { KS::StringCutRight(s, 40); }, ""},
             {"file", [](char* s) { KS::StringCutRight(s, 0); }, "file"},
             {"gfx/a.kvp", [](char* s) { KS::StringInsert(s, "data/"); }, "data/gfx/a.kvp"},
             {"", [](char* s) { KS::StringInsert(s, "data/"); }, ""},
             {"abc", [](char* s) { KS::StringInsert(s, ""); }, "abc"},
             {"abc", [](char* s) { KS::StringAppend(s, "def"); }, "abcdef"},
             {"Gr\xfc\xdf" "e 1a", [](char* s) { Korvid.StringToUpper(s); }, "GR\xfc\xdf" "E 1A"},
             {"ABC xyz [Z]", [](char* s) { Korvid.StringToLower(s); }, "abc xyz [z]"},
             {"a\tb\x01\x1f" "c\r\nd\x7f\x80\xe4\xff" "e ", KS::StringStripControl, "a\tbcd\x7f" "e "}}) {
        char szBuffer[64];
        snprintf(szBuffer, sizeof(szBuffer), "%s", szInput);
        Apply(szBuffer);
        EXPECT_STREQ(szBuffer, szResult) << szInput;
    }
}

TEST_F(Strings, CopiesWideAndPascalFormsAndNumbersAndTheirRefusals)
{
    char szBuffer[16];
    memset(szBuffer, 'Q', sizeof(szBuffer));
    KS::StringCopyN(szBuffer, "abc", 6);   // pads with zeros up to the count
    EXPECT_EQ(std::string(szBuffer, 7), std::string("abc\0\0\0Q", 7));
    KS::StringCopyN(szBuffer, "abcdefgh", 4);
    EXPECT_EQ(std::string(szBuffer, 7), std::string("abcd\0\0Q", 7));
    KS::StringCopy(szBuffer, "hello");
    EXPECT_EQ(KS::StringLength(szBuffer), 5);
    for (auto [szFrom, szUntil] : Table<const char*, const char*>{{"key=value", "key"}, {"novalue", "novalue"}}) {
        KS::StringCopyUntil(szFrom, szBuffer, '=');
        EXPECT_STREQ(szBuffer, szUntil);
    }

    uint16_t Wide[8];
    KS::StringToWide(Wide, "A\xe4z");
    EXPECT_EQ(std::vector<uint16_t>(Wide, Wide + 4), std::vector<uint16_t>({'A', 0xE4, 'z', 0}));   // unsigned bytes
    Wide[2] = 0x417A;
    KS::StringFromWide(szBuffer, Wide);
    EXPECT_STREQ(szBuffer, "A\xe4z");   // only the low byte comes back

    for (auto [szText, nValue] : Table<const char*, int32_t>{
             {"42", 42}, {"  \t-17x", -17}, {"+8", 8}, {"abc", 0}, {"", 0}, {"- 5", 0}, {"007", 7}, {"+-3", 0},
             {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"99999999999", INT32_MAX},
             {"-99999999999", INT32_MIN}})
        EXPECT_EQ(KS::StringToInteger(szText), nValue) << szText;
    Korvid.IntegerToString(szBuffer, -2048);
    EXPECT_STREQ(szBuffer, "-2048");
    EXPECT_EQ(KS::StringPrintf(szBuffer, "%s-%03d", "L", 7), 5);
    EXPECT_STREQ(szBuffer, "L-007");

    Korvid.StartLog();
    uint8_t Pascal[300];
    Korvid.StringToPascal(Pascal, "Level");
    EXPECT_EQ(std::string((char*)Pascal, 6), "\x05Level");
    std::string Long(300, 'x');
    Long[254] = 'L';
    memset(Pascal, 0xAA, sizeof(Pascal));
    Korvid.StringToPascal(Pascal, Long.c_str());
    EXPECT_EQ(std::vector<uint8_t>({Pascal[0], Pascal[255], Pascal[256]}), std::vector<uint8_t>({255, 'L', 0xAA}));
    Korvid.StringToUpper(nullptr);
    Korvid.StringToLower(nullptr);
    Korvid.IntegerToString(nullptr, 5);
    auto Log = LogMessages();
    EXPECT_TRUE(ContainsInOrder(Log, {
        "WARNING: StringToPascal() - String Too Large, Will be Truncated ('" + Long + "')",
        "ERROR: ** StringToUpper NULL String **", "ERROR: ** StringToLower NULL String **",
        "ERROR: ** IntegerToString() - Passed string is NULL **"}));
    EXPECT_EQ(CountOf(Log, "String Too Large"), 1);
}

}  // namespace
