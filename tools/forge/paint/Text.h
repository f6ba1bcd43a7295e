// Text on canvases, rendered with FreeType from the DejaVu faces.
#pragma once
#include <memory>
#include <string>

#include "Canvas.h"

enum class Face { Sans, SansBold, Condensed, CondensedBold, Serif, SerifBold, Mono };

// A face at a pixel size. Texts are UTF-8.
class Font {
public:
    Font(Face Which, int nPixelSize);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    bool Loaded() const { return m_pFace != nullptr; }
    int PixelSize() const { return m_nPixelSize; }
    int Ascent() const;    // pixels above the baseline
    int LineHeight() const;
    // The advance width of a text in pixels.
    float Width(const std::string& Text) const;
    // Draws Text with its baseline starting at (x, y). Returns the advance.
    float Draw(Canvas& Target, float x, float y, const std::string& Text, const Rgba& Colour) const;

private:
    struct FaceRecord;
    FaceRecord* m_pFace = nullptr;
    int m_nPixelSize;
};

enum class Align { Left, Centre, Right };

// One line of text placed by its baseline at x (left, centre or right edge).
void DrawLine(Canvas& Target, const Font& Font, float x, float fBaseline, const std::string& Text, const Rgba& Colour,
              Align Where = Align::Left);

// Words flowed into lines no wider than fWidth; "\n" forces a break. Returns the
// baseline below the last line.
float DrawParagraph(Canvas& Target, const Font& Font, float x, float fBaseline, float fWidth, const std::string& Text,
                    const Rgba& Colour, float fLineSpacing = 1.2f);
