// The MD5 digest against the RFC 1321 test suite, fed whole, at once or piece by
// piece, and the warnings for a finalised digest.
#include <cstring>

#include "ServiceTest.h"

namespace {

TEST(MD5, RfcTestSuiteWholeAndPiecewise)
{
    const std::pair<std::string, const char*> Vectors[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& [Text, szDigest] : Vectors) {
        SCOPED_TRACE('"' + Text + '"');
        EXPECT_STREQ(KorMD5(Text.c_str()).HexDigest(), szDigest);
        // Pieces that end before, at and after the 56-byte padding edge and the 64-byte block.
        for (uint32_t nPiece : {1u, 55u, 64u, 100u}) {
            KorMD5 Fed;
            for (size_t nAt = 0; nAt < Text.size(); nAt += nPiece)
                Fed.Update((const uint8_t*)Text.data() + nAt, (uint32_t)std::min<size_t>(nPiece, Text.size() - nAt));
            EXPECT_STREQ(Fed.HexDigest(), szDigest) << "pieces of " << nPiece;
        }
    }
}

TEST(MD5, DigestBytesMatchTheHexTextAndFinaliseOnce)
{
    EnterScratchDirectory();
    Korvid.PrepareMainThread();
    Korvid.StartLog();
    const uint8_t Expected[16] = {0x90, 0x01, 0x50, 0x98, 0x3c, 0xd2, 0x4f, 0xb0,
                                  0xd6, 0x96, 0x3f, 0x7d, 0x28, 0xe1, 0x7f, 0x72};
    KorMD5 Digest;
    Digest.Update((const uint8_t*)"abc", 3);
    EXPECT_EQ(memcmp(Digest.Digest(), Expected, 16), 0) << "asking for the bytes finalises";
    Digest.Finalize();
    Digest.Update((const uint8_t*)"more", 4);
    EXPECT_STREQ(Digest.HexDigest(), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"KorMD5: Finalize() - Already finalized this digest!",
                                                "KorMD5: Update(..., 4) -  Can't update a finalized digest!"}));
}

}  // namespace
