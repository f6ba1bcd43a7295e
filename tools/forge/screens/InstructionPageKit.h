// The common parts of the nine instruction pages (600 x 400): their ground and
// heading, body text, pictures from the finished sheets, badges and icons.
#pragma once
#include <string>

#include "InstructionTexts.h"
#include "ScreenKit.h"
#include "SheetReader.h"

namespace InstructionPages {

using ScreenKit::Language;
using Painter = void (*)(Canvas& Page, SheetReader& Reader, Language Which);

// Pages 1..4 and 5..9, in the order of the page numbers.
void AimAndControls(Canvas& Page, SheetReader& Reader, Language Which);
void Bricks(Canvas& Page, SheetReader& Reader, Language Which);
void BonusesFirst(Canvas& Page, SheetReader& Reader, Language Which);
void BonusesSecond(Canvas& Page, SheetReader& Reader, Language Which);
void EnemiesAndWeather(Canvas& Page, SheetReader& Reader, Language Which);
void Boss(Canvas& Page, SheetReader& Reader, Language Which);
void Options(Canvas& Page, SheetReader& Reader, Language Which);
void CodesAndScores(Canvas& Page, SheetReader& Reader, Language Which);
void MatchAndTips(Canvas& Page, SheetReader& Reader, Language Which);

// ---- The kit ---------------------------------------------------------------------------
// The page's ground with its title and "n / 9" at the top; content starts at y 58.
Canvas PageGround(const std::string& Title, int nPage);
// A lit sub-heading.
void SectionHeader(Canvas& Page, float x, float fBaseline, const std::string& Text, const Rgba& Glow);
// Flowed body text in the condensed face; returns the baseline after the last line.
float Body(Canvas& Page, float x, float fBaseline, float fWidth, const std::string& Text, int nSize = 13,
           const Rgba& Colour = Style::TEXT, float fSpacing = 1.22f);
// As Body, at the largest size up to nLargest whose lines end above fBottom.
float BodyFitted(Canvas& Page, float x, float fBaseline, float fWidth, const std::string& Text, float fBottom,
                 int nLargest = 13, const Rgba& Colour = Style::TEXT);
// A picture from a sheet with a soft shadow under it; nothing when the sheet was missing.
void Place(Canvas& Page, const Canvas& Picture, int x, int y);
// A round badge with a number (steps, ranks).
void NumberBadge(Canvas& Page, float cx, float cy, int nNumber, const Rgba& Colour);
// A mouse seen from above; nLit -1 none, 0 the left button, 1 the right button lit.
void MouseIcon(Canvas& Page, float x, float y, int nLit);
// The colour that says whether a bonus is wanted.
Rgba ToneColour(InstructionTexts::Tone Kind);

}  // namespace InstructionPages
