// Median-cut palettes and dithered mapping for painted movies.
#include "MoviePalette.h"

#include <algorithm>

namespace {

constexpr int LEVELS = 64;   // histogram and lookup precision: 6 bits a channel
constexpr float DITHER = 2.5f;   // ordered dither amplitude, in 6-bit steps

int Key(int r, int g, int b) { return (r * LEVELS + g) * LEVELS + b; }

// Straight-alpha canvas colour over black, 0..1 per channel.
void OverBlack(const Rgba& Pixel, float& r, float& g, float& b)
{
    float a = std::clamp(Pixel.a, 0.0f, 1.0f);
    r = std::clamp(Pixel.r, 0.0f, 1.0f) * a;
    g = std::clamp(Pixel.g, 0.0f, 1.0f) * a;
    b = std::clamp(Pixel.b, 0.0f, 1.0f) * a;
}

int Level(float f) { return std::clamp((int)(f * (LEVELS - 1) + 0.5f), 0, LEVELS - 1); }

struct Sampled {
    int c[3];
    float fWeight;
};

// A box of the median cut: a run of colours in the sample list.
struct CutBox {
    size_t nFirst, nEnd;
    int nAxis = 0, nSpread = 0;
    float fWeight = 0;
};

void Measure(const std::vector<Sampled>& Colours, CutBox& Box)
{
    int Low[3] = {LEVELS, LEVELS, LEVELS}, High[3] = {-1, -1, -1};
    Box.fWeight = 0;
    for (size_t n = Box.nFirst; n < Box.nEnd; ++n) {
        for (int c = 0; c < 3; ++c) {
            Low[c] = std::min(Low[c], Colours[n].c[c]);
            High[c] = std::max(High[c], Colours[n].c[c]);
        }
        Box.fWeight += Colours[n].fWeight;
    }
    // Green counts most to the eye, blue least.
    const int Scale[3] = {3, 4, 2};
    Box.nSpread = -1;
    for (int c = 0; c < 3; ++c)
        if ((High[c] - Low[c]) * Scale[c] > Box.nSpread) {
            Box.nSpread = (High[c] - Low[c]) * Scale[c];
            Box.nAxis = c;
        }
}

}  // namespace

PaletteBuilder::PaletteBuilder() : m_Counts((size_t)LEVELS * LEVELS * LEVELS, 0) {}

void PaletteBuilder::Sample(const Canvas& Picture)
{
    for (int y = 0; y < Picture.Height(); ++y)
        for (int x = 0; x < Picture.Width(); ++x) {
            float r, g, b;
            OverBlack(Picture.Get(x, y), r, g, b);
            ++m_Counts[Key(Level(r), Level(g), Level(b))];
        }
}

KvaPalette PaletteBuilder::Build(int nColours) const
{
    std::vector<Sampled> Colours;
    for (int r = 0; r < LEVELS; ++r)
        for (int g = 0; g < LEVELS; ++g)
            for (int b = 0; b < LEVELS; ++b) {
                uint32_t nCount = m_Counts[Key(r, g, b)];
                // Black has its own index; a root weight keeps the wide dark
                // areas from taking every entry from the small bright ones.
                if (nCount && Key(r, g, b) != 0)
                    Colours.push_back({{r, g, b}, std::sqrt((float)nCount)});
            }
    std::vector<CutBox> Boxes;
    if (!Colours.empty()) {
        Boxes.push_back({0, Colours.size()});
        Measure(Colours, Boxes[0]);
    }
    while ((int)Boxes.size() < nColours - 1) {
        // Split the box whose colours are spread widest, weighted by their share.
        auto Widest = std::max_element(Boxes.begin(), Boxes.end(), [](const CutBox& A, const CutBox& B) {
            return A.nSpread * std::sqrt(A.fWeight) < B.nSpread * std::sqrt(B.fWeight);
        });
        if (Widest->nEnd - Widest->nFirst < 2 || Widest->nSpread <= 0)
            break;
        CutBox Box = *Widest;
        std::stable_sort(Colours.begin() + (long)Box.nFirst, Colours.begin() + (long)Box.nEnd,
                         [&](const Sampled& A, const Sampled& B) { return A.c[Box.nAxis] < B.c[Box.nAxis]; });
        float fHalf = 0;
        size_t nSplit = Box.nFirst;
        while (nSplit < Box.nEnd - 1 && fHalf + Colours[nSplit].fWeight <= Box.fWeight / 2)
            fHalf += Colours[nSplit++].fWeight;
        nSplit = std::clamp(nSplit, Box.nFirst + 1, Box.nEnd - 1);
        CutBox Low{Box.nFirst, nSplit}, High{nSplit, Box.nEnd};
        Measure(Colours, Low);
        Measure(Colours, High);
        *Widest = Low;
        Boxes.push_back(High);
    }
    KvaPalette Palette{};
    for (size_t nBox = 0; nBox < Boxes.size(); ++nBox) {
        float Sum[3] = {0, 0, 0};
        for (size_t n = Boxes[nBox].nFirst; n < Boxes[nBox].nEnd; ++n)
            for (int c = 0; c < 3; ++c)
                Sum[c] += Colours[n].c[c] * Colours[n].fWeight;
        for (int c = 0; c < 3; ++c)
            Palette[(nBox + 1) * 3 + c] =
                (uint8_t)std::clamp((int)std::lround(Sum[c] / Boxes[nBox].fWeight * 255.0f / (LEVELS - 1)), 0, 255);
    }
    return Palette;
}

PaletteMapper::PaletteMapper(const KvaPalette& Palette, int nColours)
    : m_Colours(Palette.begin(), Palette.begin() + nColours * 3), m_Nearest((size_t)LEVELS * LEVELS * LEVELS, -1)
{
}

uint8_t PaletteMapper::Nearest(int r6, int g6, int b6) const
{
    int16_t& nCached = m_Nearest[Key(r6, g6, b6)];
    if (nCached >= 0)
        return (uint8_t)nCached;
    int r = r6 * 255 / (LEVELS - 1), g = g6 * 255 / (LEVELS - 1), b = b6 * 255 / (LEVELS - 1);
    int nBest = 0, nBestDistance = 1 << 30;
    for (size_t n = 0; n < m_Colours.size() / 3; ++n) {
        int dr = m_Colours[n * 3] - r, dg = m_Colours[n * 3 + 1] - g, db = m_Colours[n * 3 + 2] - b;
        int nDistance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (nDistance < nBestDistance) {
            nBestDistance = nDistance;
            nBest = (int)n;
        }
    }
    nCached = (int16_t)nBest;
    return (uint8_t)nBest;
}

void PaletteMapper::Map(const Canvas& Picture, std::vector<uint8_t>& Pixels, const Canvas* pBefore) const
{
    // A 4 x 4 ordered-dither matrix: static areas stay still from frame to
    // frame, so the deltas only carry what really moves.
    static const float Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const int nWidth = Picture.Width();
    for (int y = 0; y < Picture.Height(); ++y)
        for (int x = 0; x < nWidth; ++x) {
            const Rgba Pixel = Picture.Get(x, y);
            uint8_t& nPixel = Pixels[(size_t)y * nWidth + x];
            if (pBefore) {
                const Rgba Was = pBefore->Get(x, y);
                if (Was.r == Pixel.r && Was.g == Pixel.g && Was.b == Pixel.b && Was.a == Pixel.a)
                    continue;
            }
            float r, g, b;
            OverBlack(Pixel, r, g, b);
            if (r + g + b <= 0.0f) {
                nPixel = 0;
                continue;
            }
            float fOffset = ((Bayer[y & 3][x & 3] + 0.5f) / 16.0f - 0.5f) * DITHER / (LEVELS - 1);
            nPixel = Nearest(Level(r + fOffset), Level(g + fOffset), Level(b + fOffset));
        }
}
