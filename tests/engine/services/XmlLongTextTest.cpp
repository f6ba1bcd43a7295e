// Texts at the store's length limit that hold "<", ">" or "&": on disk they grow
// to as much as five times their length, and must still read back whole; only
// the decoded text is held to 255 characters.
#include <gtest/gtest.h>

#include <string>

#include "korvid.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"

namespace {

class XmlLongText : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.StartLog();
    }
    void TearDown() override { Korvid.XMLClear(); }
};

TEST_F(XmlLongText, TextsOfEntitiesAtTheLimitComeBackWhole)
{
    const std::string Key = std::string(200, '<') + std::string(55, 'k');
    const std::string Value = std::string(100, '&') + std::string(100, '>') + std::string(55, 'v');
    ASSERT_TRUE(Korvid.XMLSetString(Key.c_str(), Value.c_str()));
    ASSERT_TRUE(Korvid.XMLSave("long.xml", KOR_FILE_WRITE));
    Korvid.XMLClear();
    ASSERT_TRUE(Korvid.ParseXML("long.xml", KOR_FILE_READ));
    const char* szRead = Korvid.XMLGetString(Key.c_str());
    ASSERT_NE(szRead, nullptr);
    EXPECT_EQ(std::string(szRead), Value);
    EXPECT_EQ(IndexOf(LogMessages(), "WARNING: ** ParseXML - File 'long.xml' Holds Texts Longer Than 255 Characters, Cut **"),
              -1);
}

TEST_F(XmlLongText, ADecodedTextPastTheLimitIsCutWithoutTrailingBlanks)
{
    // 254 ampersands, a blank, then more: cut at 255 the blank would end the text.
    const std::string Raw = "<Long>" + [] {
        std::string Text;
        for (int n = 0; n < 254; ++n)
            Text += "&amp;";
        return Text;
    }() + " tail</Long>";
    WriteFileText("cut.xml", Raw);
    ASSERT_TRUE(Korvid.ParseXML("cut.xml", KOR_FILE_READ));
    const char* szRead = Korvid.XMLGetString("Long");
    ASSERT_NE(szRead, nullptr);
    EXPECT_EQ(std::string(szRead), std::string(254, '&'));
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(), {"WARNING: ** ParseXML - File 'cut.xml' Holds Texts Longer Than 255 Characters, Cut **"}));
}

}  // namespace
