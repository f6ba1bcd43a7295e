// The XML key/value store: the table's rules, the saved file's exact bytes,
// parsing written and hand-made files, and damaged or missing files.
#include <gtest/gtest.h>

#include <string>

#include "korvid.h"
#include "support/TestFiles.h"
#include "support/TestApp.h"

namespace {

std::string ValueOf(const char* szKey)
{
    const char* szValue = Korvid.XMLGetString(szKey);
    return szValue ? szValue : "(absent)";
}

class XmlStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.StartLog();
    }
    void TearDown() override { Korvid.XMLClear(); }
};

const char* const HEADER = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<KorvidXML>\n";

TEST_F(XmlStore, SavesAndParsesBackTheSamePairs)
{
    EXPECT_TRUE(Korvid.XMLSetInt("Volume", 7));
    EXPECT_TRUE(Korvid.XMLSetString("Name", "Kim"));
    EXPECT_TRUE(Korvid.XMLSave("store.xml", KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileText("store.xml"),
              std::string(HEADER) + "\t<Volume>7</Volume>\n\t<Name>Kim</Name>\n</KorvidXML>\n");

    Korvid.XMLClear();
    EXPECT_EQ(Korvid.XMLGetString("Name"), nullptr);
    EXPECT_TRUE(Korvid.ParseXML("store.xml", KOR_FILE_READ));
    EXPECT_EQ(Korvid.XMLGetInt("volume"), 7);
    EXPECT_EQ(ValueOf("NAME"), "Kim");

    // Parsing into the store again finds the same keys and adds nothing.
    EXPECT_TRUE(Korvid.ParseXML("store.xml", KOR_FILE_READ));
    EXPECT_TRUE(Korvid.XMLSave("again.xml", KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileText("again.xml"), ReadFileText("store.xml"));
}

TEST_F(XmlStore, MarkupCharactersSurviveTheRoundTrip)
{
    EXPECT_TRUE(Korvid.XMLSetString("Formula", "a<b && c>d"));
    EXPECT_TRUE(Korvid.XMLSetString("Entity", "&lt; stays text"));
    EXPECT_TRUE(Korvid.XMLSave("store.xml", KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileText("store.xml"), std::string(HEADER) +
                                             "\t<Formula>a&lt;b &amp;&amp; c&gt;d</Formula>\n"
                                             "\t<Entity>&amp;lt; stays text</Entity>\n</KorvidXML>\n");
    Korvid.XMLClear();
    EXPECT_TRUE(Korvid.ParseXML("store.xml", KOR_FILE_READ));
    EXPECT_EQ(ValueOf("Formula"), "a<b && c>d");
    EXPECT_EQ(ValueOf("Entity"), "&lt; stays text");
}

struct ParseCase {
    const char* szName;
    std::string Content;
    std::string Key;
    std::string Expected;
};

TEST_F(XmlStore, ParsesHandMadeAndDamagedFiles)
{
    const ParseCase Cases[] = {
        {"value trimmed", "<Root><Name>   Kim  </Name></Root>", "Name", "Kim"},
        {"line breaks around the value", "<Root>\n\t<Name>\r\n\tKim\n\t</Name>\n</Root>\n", "Name", "Kim"},
        {"line break inside becomes a blank", "<A>Jo\nJo</A>", "A", "Jo Jo"},
        {"tag text trimmed", "<  Name  >Kim</Name>", "Name", "Kim"},
        {"empty element not stored", "<Name></Name><Other>x</Other>", "Name", "(absent)"},
        {"blank element not stored", "<Name> \n\t </Name>", "Name", "(absent)"},
        {"text before any tag ignored", "stray<Name>Kim</Name>", "stray", "(absent)"},
        {"bytes above 127 kept", "<Name>J\xc3\xbcrgen</Name>", "Name", "J\xc3\xbcrgen"},
        {"the whole tag text is the key", "<Name id=\"1\">Kim</Name>", "Name id=\"1\"", "Kim"},
        {"no closing tag: the value waits for a <", "<Name>Kim", "Name", "(absent)"},
        {"file ends inside a tag", "<Name>Kim</Na", "Name", "Kim"},
        {"value cut to 255", "<Long>" + std::string(300, 'v') + "</Long>", "Long", std::string(255, 'v')},
        {"tag cut to 255", "<" + std::string(300, 'k') + ">x<", std::string(255, 'k'), "x"},
        {"zero bytes are blanks", std::string("<A>x\0y</A>", 10), "A", "x y"},
    };
    for (const ParseCase& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        Korvid.XMLClear();
        WriteFileText("hand.xml", Case.Content);
        EXPECT_TRUE(Korvid.ParseXML("hand.xml", KOR_FILE_READ));
        EXPECT_EQ(ValueOf(Case.Key.c_str()), Case.Expected);
    }
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"WARNING: ** ParseXML - File 'hand.xml' Holds Texts Longer Than 255 Characters, Cut **"}));
}

TEST_F(XmlStore, MissingFilesAreReported)
{
    EXPECT_FALSE(Korvid.ParseXML("absent.xml", KOR_FILE_READ));
    EXPECT_FALSE(Korvid.XMLSave("missing/store.xml", KOR_FILE_WRITE));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** ParseXML - File 'absent.xml' Not Found **",
                                                "ERROR: ** XMLSave - Can't Save To File 'missing/store.xml' **"}));
}

TEST_F(XmlStore, KeysIgnoreCaseAndValuesAreReplaced)
{
    EXPECT_TRUE(Korvid.XMLSetString("Name", "Kim"));
    EXPECT_TRUE(Korvid.XMLSetString("Level", "3"));
    EXPECT_TRUE(Korvid.XMLSetString("NAME", "Jo"));
    EXPECT_EQ(ValueOf("name"), "Jo");
    EXPECT_TRUE(Korvid.XMLCompare("name", "JO"));
    EXPECT_FALSE(Korvid.XMLCompare("name", "Jo "));
    EXPECT_FALSE(Korvid.XMLCompare("Absent", ""));
    // The replaced entry keeps its place and takes the new key's spelling.
    EXPECT_TRUE(Korvid.XMLSave("store.xml", KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileText("store.xml"), std::string(HEADER) + "\t<NAME>Jo</NAME>\n\t<Level>3</Level>\n</KorvidXML>\n");

    Korvid.XMLDelete("name");
    EXPECT_EQ(Korvid.XMLGetString("Name"), nullptr);
    EXPECT_TRUE(Korvid.XMLSave("store.xml", KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileText("store.xml"), std::string(HEADER) + "\t<Level>3</Level>\n</KorvidXML>\n");

    EXPECT_FALSE(Korvid.XMLSetString(nullptr, "x"));
    EXPECT_FALSE(Korvid.XMLSetString("Key", nullptr));
    EXPECT_EQ(Korvid.XMLGetString(nullptr), nullptr);
}

TEST_F(XmlStore, ReadsIntegers)
{
    const std::pair<const char*, int32_t> Cases[] = {
        {"42", 42}, {" \t-17", -17}, {"+5", 5}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"99999999999", INT32_MAX},
    };
    for (const auto& [szValue, nExpected] : Cases) {
        SCOPED_TRACE(szValue);
        EXPECT_TRUE(Korvid.XMLSetString("Number", szValue));
        EXPECT_EQ(Korvid.XMLGetInt("Number"), nExpected);
    }
    EXPECT_EQ(Korvid.XMLGetInt("Absent"), 0);
    EXPECT_TRUE(Korvid.XMLSetInt("Number", INT32_MIN));
    EXPECT_EQ(ValueOf("Number"), "-2147483648");
}

TEST_F(XmlStore, HolesLeftByDeletionAreNotReused)
{
    char szKey[16];
    for (int n = 0; n < KOR_XML_MAX_ENTRIES; ++n) {
        snprintf(szKey, sizeof(szKey), "Key%d", n);
        ASSERT_TRUE(Korvid.XMLSetInt(szKey, n));
    }
    Korvid.XMLDelete("Key5");
    EXPECT_FALSE(Korvid.XMLSetString("Key100", "x"));
    EXPECT_EQ(Korvid.XMLGetString("Key100"), nullptr);
    // An existing key is still replaced in place.
    EXPECT_TRUE(Korvid.XMLSetString("Key99", "last"));
    EXPECT_EQ(ValueOf("Key99"), "last");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** XMLSetString(Key100, ...) - Fail, XML Struct Full **"}));

    Korvid.XMLClear();
    EXPECT_TRUE(Korvid.XMLSetString("Key100", "x"));
    EXPECT_EQ(Korvid.XMLGetString("Key0"), nullptr);
}

}  // namespace
