// The XML key/value store: the table's rules, the saved file's exact bytes,
// parsing written and hand-made files, texts at the length limit, and damaged
// or missing files.
#include "ServiceTest.h"

namespace {

std::string ValueOf(const std::string& Key)
{
    const char* szValue = Korvid.XMLGetString(Key.c_str());
    return szValue ? szValue : "(absent)";
}

void ExpectSaved(const std::string& Elements)
{
    EXPECT_TRUE(Korvid.XMLSave("store.xml", KOR_FILE_WRITE));
    EXPECT_EQ(ReadFileText("store.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<KorvidXML>\n" + Elements + "</KorvidXML>\n");
}

const char* const CUT_WARNING = "Holds Texts Longer Than 255 Characters, Cut **";

using XmlStore = ServiceTest;

TEST_F(XmlStore, SavesAndParsesBackTheSamePairs)
{
    EXPECT_TRUE(Korvid.XMLSetInt("Volume", 7));
    EXPECT_TRUE(Korvid.XMLSetString("Formula", "a<b && c>d"));
    EXPECT_TRUE(Korvid.XMLSetString("Entity", "&lt; stays text"));
    const std::string Elements = "\t<Volume>7</Volume>\n\t<Formula>a&lt;b &amp;&amp; c&gt;d</Formula>\n"
                                 "\t<Entity>&amp;lt; stays text</Entity>\n";
    ExpectSaved(Elements);
    Korvid.XMLClear();
    EXPECT_EQ(Korvid.XMLGetString("Volume"), nullptr);
    EXPECT_TRUE(Korvid.ParseXML("store.xml", KOR_FILE_READ));
    EXPECT_EQ(Korvid.XMLGetInt("volume"), 7);
    EXPECT_EQ(ValueOf("FORMULA"), "a<b && c>d");
    EXPECT_EQ(ValueOf("Entity"), "&lt; stays text");
    // Parsing into the store again finds the same keys and adds nothing.
    EXPECT_TRUE(Korvid.ParseXML("store.xml", KOR_FILE_READ));
    ExpectSaved(Elements);
}

TEST_F(XmlStore, TextsOfEntitiesAtTheLimitComeBackWhole)
{
    // On disk they grow to as much as five times their length; only the decoded text is held to 255.
    const std::string Key = std::string(200, '<') + std::string(55, 'k');
    const std::string Value = std::string(100, '&') + std::string(100, '>') + std::string(55, 'v');
    ASSERT_TRUE(Korvid.XMLSetString(Key.c_str(), Value.c_str()));
    ASSERT_TRUE(Korvid.XMLSave("long.xml", KOR_FILE_WRITE));
    Korvid.XMLClear();
    ASSERT_TRUE(Korvid.ParseXML("long.xml", KOR_FILE_READ));
    EXPECT_EQ(ValueOf(Key), Value);
    EXPECT_FALSE(LogMentions({CUT_WARNING}));
}

TEST_F(XmlStore, ParsesHandMadeAndDamagedFiles)
{
    const struct {
        const char* szName;
        std::string Content;
        std::string Key;
        std::string Expected;
    } Cases[] = {
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
        {"zero bytes are blanks", std::string("<A>x\0y</A>", 10), "A", "x y"},
        {"tag cut to 255", "<" + std::string(300, 'k') + ">x<", std::string(255, 'k'), "x"},
        {"value cut to 255", "<Long>" + std::string(300, 'v') + "</Long>", "Long", std::string(255, 'v')},
        // 254 ampersands, a blank, then more: cut at 255 the blank would end the text.
        {"decoded text cut without trailing blanks", [] {
             std::string Text = "<Long>";
             for (int n = 0; n < 254; ++n)
                 Text += "&amp;";
             return Text + " tail</Long>";
         }(), "Long", std::string(254, '&')},
    };
    for (const auto& Case : Cases) {
        SCOPED_TRACE(Case.szName);
        Korvid.XMLClear();
        WriteFileText("hand.xml", Case.Content);
        EXPECT_TRUE(Korvid.ParseXML("hand.xml", KOR_FILE_READ));
        EXPECT_EQ(ValueOf(Case.Key), Case.Expected);
        EXPECT_EQ(LogMessages().back() == "WARNING: ** ParseXML - File 'hand.xml' " + std::string(CUT_WARNING),
                  Case.Content.size() > 300);
    }
    EXPECT_FALSE(Korvid.ParseXML("absent.xml", KOR_FILE_READ));
    EXPECT_FALSE(Korvid.XMLSave("missing/store.xml", KOR_FILE_WRITE));
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** ParseXML - File 'absent.xml' Not Found **",
                                                "ERROR: ** XMLSave - Can't Save To File 'missing/store.xml' **"}));
}

TEST_F(XmlStore, KeysIgnoreCaseValuesAreReplacedInPlaceAndReadAsIntegers)
{
    EXPECT_TRUE(Korvid.XMLSetString("Name", "Kim"));
    EXPECT_TRUE(Korvid.XMLSetString("Level", "3"));
    EXPECT_TRUE(Korvid.XMLSetString("NAME", "Jo"));
    EXPECT_TRUE(Korvid.XMLCompare("name", "JO"));
    EXPECT_FALSE(Korvid.XMLCompare("name", "Jo "));
    EXPECT_FALSE(Korvid.XMLCompare("Absent", ""));
    // The replaced entry keeps its place and takes the new key's spelling.
    ExpectSaved("\t<NAME>Jo</NAME>\n\t<Level>3</Level>\n");
    Korvid.XMLDelete("name");
    EXPECT_EQ(Korvid.XMLGetString("Name"), nullptr);
    ExpectSaved("\t<Level>3</Level>\n");

    EXPECT_FALSE(Korvid.XMLSetString(nullptr, "x"));
    EXPECT_FALSE(Korvid.XMLSetString("Key", nullptr));
    EXPECT_EQ(Korvid.XMLGetString(nullptr), nullptr);

    const std::pair<const char*, int32_t> Cases[] = {
        {"42", 42}, {" \t-17", -17}, {"+5", 5}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"99999999999", INT32_MAX},
    };
    for (const auto& [szValue, nExpected] : Cases) {
        EXPECT_TRUE(Korvid.XMLSetString("Number", szValue));
        EXPECT_EQ(Korvid.XMLGetInt("Number"), nExpected) << szValue;
    }
    EXPECT_EQ(Korvid.XMLGetInt("Absent"), 0);
    EXPECT_TRUE(Korvid.XMLSetInt("Number", INT32_MIN));
    EXPECT_EQ(ValueOf("Number"), "-2147483648");
    m_Platform.m_RefuseAlloc = [](size_t) { return true; };
    EXPECT_FALSE(Korvid.XMLSetString("Level", "4"));
    EXPECT_EQ(LogMessages().back(), "ERROR: ** XMLSetString(Level, ...) - Out Of Memory **");
}

TEST_F(XmlStore, HolesLeftByDeletionAreNotReused)
{
    for (int n = 0; n < KOR_XML_MAX_ENTRIES; ++n)
        ASSERT_TRUE(Korvid.XMLSetInt(("Key" + std::to_string(n)).c_str(), n));
    Korvid.XMLDelete("Key5");
    EXPECT_FALSE(Korvid.XMLSetString("Key100", "x"));
    EXPECT_EQ(Korvid.XMLGetString("Key100"), nullptr);
    EXPECT_EQ(LogMessages().back(), "ERROR: ** XMLSetString(Key100, ...) - Fail, XML Struct Full **");
    EXPECT_TRUE(Korvid.XMLSetString("Key99", "last")) << "an existing key is still replaced in place";
    EXPECT_EQ(ValueOf("Key99"), "last");
    Korvid.XMLClear();
    EXPECT_TRUE(Korvid.XMLSetString("Key100", "x"));
    EXPECT_EQ(Korvid.XMLGetString("Key0"), nullptr);
}

}  // namespace
