// Pictures and movies whose header claims more pixels than the file could ever
// pack are refused before any memory is taken for them; a picture right at the
// limit still loads. Without the cap a 40-byte file could ask for 800 MB.
#include "ImageTestFiles.h"

namespace {

using namespace imagetest;

struct OversizeCase {
    const char* szName;
    Bytes File;
    const char* szLogLine;
};

std::vector<OversizeCase> OversizeCases()
{
    return {
        {"huge.kvp", Concat({KvpHeader(16384, 16384, 24, 1, 24, false), Bytes(24, 1)}),
         "LoadKVP: Failed to load - picture size 16384x16384 too large for a file of 40 bytes"},
        {"huge.tga", Concat({TgaHeader(0, 2, 0, 0, 16384, 16384, 24), Bytes(22, 1)}),
         "LoadTGA: Failed to load - picture size 16384x16384 too large for a file of 40 bytes"},
        {"huge.bmp", Concat({BmpHeader("BM", 16384, 16384, 24, 0, 6), Bytes(6, 1)}),
         "LoadBMP: Failed to load - picture size 16384x16384 too large for a file of 60 bytes"},
        {"huge.pcx", Concat({PcxHeader(0, 0, 16383, 16383, 16384), Bytes(2, 0xC1)}),
         "LoadPCX: Failed to load - picture size 16384x16384 too large for a file of 130 bytes"},
        // 33 rows of 1032 pixels from a 32-byte file: one row past the limit.
        {"tall.kvp", Concat({KvpHeader(1032, 33, 8, 1, 16, false), Bytes(16, 1)}),
         "LoadKVP: Failed to load - picture size 1032x33 too large for a file of 32 bytes"},
    };
}

class ImageSizeCap : public GfxTest {
protected:
    void SetUp() override
    {
        GfxTest::SetUp();
        OpenDisplay(64, 48, 8);
    }
};

TEST_F(ImageSizeCap, HeadersClaimingMoreThanTheFileCanHoldAreRefusedBeforeAllocating)
{
    for (const OversizeCase& Case : OversizeCases()) {
        SCOPED_TRACE(Case.szName);
        WriteBytes(Case.szName, Case.File);
        uint32_t nBlocksBefore = Korvid.MallocCount();
        EXPECT_EQ(Korvid.LoadChunky(1, Case.szName, KOR_LOAD_FILEDEPTH), 0);
        EXPECT_EQ(LogMessages().back(), Case.szLogLine);
        EXPECT_FALSE(Korvid.ChunkyExists(1));
        EXPECT_EQ(Korvid.MallocCount(), nBlocksBefore);
    }
}

TEST_F(ImageSizeCap, APictureRightAtTheLimitLoads)
{
    // 32 rows of 1032 pixels from 32 bytes: the most any block format could pack.
    WriteBytes("full.kvp", Concat({KvpHeader(1032, 32, 8, 1, 16, false), Bytes(16, 1)}));
    ASSERT_EQ(Korvid.LoadChunky(1, "full.kvp", KOR_LOAD_FILEDEPTH), 1);
    EXPECT_EQ(Korvid.ChunkyWidth(1), 1032);
    EXPECT_EQ(Korvid.ChunkyHeight(1), 32);
}

Bytes MovieHeader(uint16_t nWidth, uint16_t nHeight)
{
    Bytes Out;
    Text(Out, "KORA");
    Out.push_back(1);
    BE16(Out, 1);     // one frame
    BE32(Out, 40);    // ms per frame
    BE16(Out, nWidth);
    BE16(Out, nHeight);
    Text(Out, "NONE");
    return Out;
}

TEST_F(ImageSizeCap, AMovieFrameNoFileOfItsSizeCouldFillIsRefused)
{
    WriteBytes("huge.kva", Concat({MovieHeader(16384, 16384), Bytes(8, 0)}));
    EXPECT_EQ(Korvid.OpenMovie(1, "huge.kva", 0), 0);
    EXPECT_FALSE(Korvid.MovieOpen());
    EXPECT_TRUE(ContainsInOrder(LogMessages(),
                                {"ERROR: ** KVA Frame Size 16384x16384 Too Large For a File of 27 Bytes **"}));

    WriteBytes("small.kva", Concat({MovieHeader(32, 24), Bytes(8, 0)}));
    EXPECT_EQ(Korvid.OpenMovie(1, "small.kva", 0), 1);
    Korvid.CloseMovie();
}

}  // namespace
