// The MD5 digest against the RFC 1321 test suite, piecewise feeding and the
// warnings for a finalised digest.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "korvid.h"
#include "support/TestApp.h"

namespace {

TEST(MD5, RfcTestSuite)
{
    struct Vector {
        const char* szText;
        const char* szDigest;
    } Vectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const Vector& Case : Vectors) {
        KorMD5 FromString(Case.szText);
        EXPECT_STREQ(FromString.HexDigest(), Case.szDigest) << '"' << Case.szText << '"';

        KorMD5 Fed;
        Fed.Update((const uint8_t*)Case.szText, (uint32_t)strlen(Case.szText));
        EXPECT_STREQ(Fed.HexDigest(), Case.szDigest);
    }
}

TEST(MD5, PiecewiseUpdatesGiveTheSameDigest)
{
    std::vector<uint8_t> Data(200);
    for (size_t n = 0; n < Data.size(); ++n)
        Data[n] = (uint8_t)(n * 31 + 5);
    KorMD5 Whole;
    Whole.Update(Data.data(), 200);

    const std::vector<std::vector<uint32_t>> Splits = {{1, 63, 136}, {64, 64, 72}, {55, 1, 8, 136}, {199, 1}};
    for (const auto& Split : Splits) {
        KorMD5 Pieces;
        uint32_t nAt = 0;
        for (uint32_t nPiece : Split) {
            Pieces.Update(Data.data() + nAt, nPiece);
            nAt += nPiece;
        }
        ASSERT_EQ(nAt, 200u);
        EXPECT_STREQ(Pieces.HexDigest(), Whole.HexDigest());
    }
}

TEST(MD5, DigestBytesMatchTheHexText)
{
    KorMD5 Digest("abc");
    const uint8_t* pBytes = Digest.Digest();
    const uint8_t Expected[16] = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                                  0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
    EXPECT_EQ(memcmp(pBytes, Expected, 16), 0);

    KorMD5 Unfinished;
    Unfinished.Update((const uint8_t*)"abc", 3);
    EXPECT_EQ(memcmp(Unfinished.Digest(), Expected, 16), 0) << "asking for the bytes finalises";
}

TEST(MD5, FinalisedDigestRefusesChangesWithWarnings)
{
    EnterScratchDirectory();
    Korvid.PrepareMainThread();
    Korvid.StartLog();
    KorMD5 Digest;
    Digest.Update((const uint8_t*)"abc", 3);
    Digest.Finalize();
    std::string First = Digest.HexDigest();
    Digest.Finalize();
    Digest.Update((const uint8_t*)"more", 4);
    EXPECT_EQ(Digest.HexDigest(), First);
    EXPECT_EQ(First, "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"KorMD5: Finalize() - Already finalized this digest!",
                                                "KorMD5: Update(..., 4) -  Can't update a finalized digest!"}));
    Korvid.FileValidationReport();
}

}  // namespace
