// Where the display's picture sits in a screen surface larger than the display,
// and the way back from a surface point to a display point.
#pragma once
#include <cstdint>

struct KorvidScaledView {
    int32_t nScale;            // whole-number scale, or 0 for a filtered stretch
    int32_t nLeft, nTop;       // the picture's top-left corner in the surface
    int32_t nWidth, nHeight;   // the picture's size in the surface
};

// The largest whole-number scale that fits, centred (the rest of the surface
// stays black). With bSmooth, or when not even scale 1 fits, the largest picture
// of the display's shape, centred and filtered.
KorvidScaledView KorvidFitView(int32_t nDisplayWidth, int32_t nDisplayHeight, int32_t nSurfaceWidth,
                               int32_t nSurfaceHeight, bool bSmooth);

// A surface point as a display point; points on the bars go to the nearest edge.
void KorvidSurfaceToDisplay(const KorvidScaledView& View, int32_t nDisplayWidth, int32_t nDisplayHeight,
                            int32_t& x, int32_t& y);
