// FreeType glyph rendering onto canvases.
#include "Text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

#include "Forge.h"

namespace {

const char* FaceFile(Face Which)
{
    switch (Which) {
    case Face::Sans: return "DejaVuSans.ttf";
    case Face::SansBold: return "DejaVuSans-Bold.ttf";
    case Face::Condensed: return "DejaVuSansCondensed.ttf";
    case Face::CondensedBold: return "DejaVuSansCondensed-Bold.ttf";
    case Face::Serif: return "DejaVuSerif.ttf";
    case Face::SerifBold: return "DejaVuSerif-Bold.ttf";
    case Face::Mono: return "DejaVuSansMono.ttf";
    }
    return "DejaVuSans.ttf";
}

FT_Library Library()
{
    static FT_Library s_Library = [] {
        FT_Library Created = nullptr;
        if (FT_Init_FreeType(&Created) != 0)
            ForgeComplain("FreeType cannot start");
        return Created;
    }();
    return s_Library;
}

// UTF-8 to code points; a broken sequence becomes U+FFFD.
std::vector<uint32_t> CodePoints(const std::string& Text)
{
    std::vector<uint32_t> Points;
    for (size_t n = 0; n < Text.size();) {
        uint8_t c = (uint8_t)Text[n];
        int nMore = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
        if (nMore < 0 || n + nMore >= Text.size()) {
            Points.push_back(0xFFFD);
            ++n;
            continue;
        }
        uint32_t nPoint = nMore == 0 ? c : c & (0x3F >> nMore);
        for (int k = 1; k <= nMore; ++k)
            nPoint = (nPoint << 6) | ((uint8_t)Text[n + k] & 0x3F);
        Points.push_back(nPoint);
        n += nMore + 1;
    }
    return Points;
}

}  // namespace

struct Font::FaceRecord {
    FT_Face Face = nullptr;
};

Font::Font(Face Which, int nPixelSize) : m_nPixelSize(nPixelSize)
{
    static const char* const FOLDERS[] = {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/",
                                          "/usr/share/fonts/TTF/"};
    FT_Face Loaded = nullptr;
    for (const char* szFolder : FOLDERS) {
        std::string Path = std::string(szFolder) + FaceFile(Which);
        if (Library() && FT_New_Face(Library(), Path.c_str(), 0, &Loaded) == 0)
            break;
        Loaded = nullptr;
    }
    if (!Loaded) {
        ForgeComplain("font '%s' not found (install fonts-dejavu-core)", FaceFile(Which));
        return;
    }
    FT_Set_Pixel_Sizes(Loaded, 0, (FT_UInt)nPixelSize);
    m_pFace = new FaceRecord{Loaded};
}

Font::~Font()
{
    if (m_pFace)
        FT_Done_Face(m_pFace->Face);
    delete m_pFace;
}

int Font::Ascent() const
{
    return m_pFace ? (int)(m_pFace->Face->size->metrics.ascender >> 6) : m_nPixelSize;
}

int Font::LineHeight() const
{
    return m_pFace ? (int)(m_pFace->Face->size->metrics.height >> 6) : m_nPixelSize;
}

float Font::Width(const std::string& Text) const
{
    if (!m_pFace)
        return 0;
    float fWidth = 0;
    for (uint32_t nPoint : CodePoints(Text))
        if (FT_Load_Char(m_pFace->Face, nPoint, FT_LOAD_DEFAULT) == 0)
            fWidth += m_pFace->Face->glyph->advance.x / 64.0f;
    return fWidth;
}

float Font::Draw(Canvas& Target, float x, float y, const std::string& Text, const Rgba& Colour) const
{
    if (!m_pFace)
        return 0;
    float fPen = x;
    for (uint32_t nPoint : CodePoints(Text)) {
        if (FT_Load_Char(m_pFace->Face, nPoint, FT_LOAD_RENDER) != 0)
            continue;
        FT_GlyphSlot Glyph = m_pFace->Face->glyph;
        const FT_Bitmap& Bitmap = Glyph->bitmap;
        int nLeft = (int)std::lround(fPen) + Glyph->bitmap_left, nTop = (int)std::lround(y) - Glyph->bitmap_top;
        for (unsigned r = 0; r < Bitmap.rows; ++r)
            for (unsigned c = 0; c < Bitmap.width; ++c) {
                uint8_t nCoverage = Bitmap.buffer[r * Bitmap.pitch + c];
                if (nCoverage)
                    Target.Blend(nLeft + (int)c, nTop + (int)r, Colour, nCoverage / 255.0f);
            }
        fPen += Glyph->advance.x / 64.0f;
    }
    return fPen - x;
}

void DrawLine(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
              Align Where)
{
    float fWidth = Where == Align::Left ? 0 : Font.Width(Text);
    float fLeft = Where == Align::Left ? x : Where == Align::Centre ? x - fWidth / 2 : x - fWidth;
    Font.Draw(Target, std::round(fLeft), fBaseline, Text, Colour);
}

float DrawParagraph(Canvas& Target, const Font& Font, float x, float fBaseline, float fWidth, const std::string& Text,
                    const Rgba& Colour, float fLineSpacing)
{
    float fStep = Font.PixelSize() * fLineSpacing;
    size_t nStart = 0;
    while (nStart <= Text.size()) {
        size_t nEnd = Text.find('\n', nStart);
        std::string Block = Text.substr(nStart, nEnd == std::string::npos ? std::string::npos : nEnd - nStart);
        std::string Line;
        size_t nWord = 0;
        while (nWord <= Block.size()) {
            size_t nSpace = Block.find(' ', nWord);
            std::string Word = Block.substr(nWord, nSpace == std::string::npos ? std::string::npos : nSpace - nWord);
            std::string Longer = Line.empty() ? Word : Line + " " + Word;
            if (!Line.empty() && Font.Width(Longer) > fWidth) {
                Font.Draw(Target, x, fBaseline, Line, Colour);
                fBaseline += fStep;
                Line = Word;
            } else {
                Line = Longer;
            }
            if (nSpace == std::string::npos)
                break;
            nWord = nSpace + 1;
        }
        Font.Draw(Target, x, fBaseline, Line, Colour);
        fBaseline += fStep;
        if (nEnd == std::string::npos)
            break;
        nStart = nEnd + 1;
    }
    return fBaseline;
}
