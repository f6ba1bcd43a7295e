// The play backgrounds stay dark behind the field and are twenty different pictures.
#include "ScreenArtTestsSupport.h"
#include "screens/ScreenFamilies.h"

TEST_F(ScreenArtTest, BackgroundsAreDarkBehindTheFieldAndAllDifferent)
{
    RunInEngine([](const ForgeContext& Context) {
        ASSERT_TRUE(PaintPlayBackgrounds(Context));
        // A coarse signature per picture: the mean light of 8 x 6 blocks of the field.
        std::vector<std::vector<float>> Signatures;
        for (int n = 1; n <= Sheets::BACKGROUND_COUNT; ++n) {
            LoadedPicture Screen = LoadPicture("hg" + std::to_string(n));
            ASSERT_TRUE(Screen.Loaded()) << n;
            ASSERT_EQ(Screen.nWidth, Sheets::SCREEN_WIDTH);
            ASSERT_EQ(Screen.nHeight, Sheets::SCREEN_HEIGHT);
            AreaStats Field = Measure(Screen, 20, 21, 760, 432, 0.35f);
            EXPECT_EQ(Field.nOpaque, Field.nPixels) << "hg" << n;
            EXPECT_LT(Field.fMeanLight, 0.22f) << "hg" << n;
            EXPECT_LT(Field.nBright, Field.nPixels / 25) << "hg" << n << ": too much of it is bright";
            std::vector<float> Signature;
            for (int by = 0; by < 6; ++by)
                for (int bx = 0; bx < 8; ++bx)
                    Signature.push_back(Measure(Screen, 20 + bx * 95, 21 + by * 72, 95, 72).fMeanLight);
            Signatures.push_back(Signature);
        }
        for (size_t a = 0; a < Signatures.size(); ++a)
            for (size_t b = a + 1; b < Signatures.size(); ++b) {
                float fDistance = 0;
                for (size_t k = 0; k < Signatures[a].size(); ++k)
                    fDistance += std::fabs(Signatures[a][k] - Signatures[b][k]);
                EXPECT_GT(fDistance, 0.3f) << "hg" << a + 1 << " and hg" << b + 1 << " look alike";
            }
    });
}
