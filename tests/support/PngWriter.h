// Writes a chunky to a PNG file: a debugging aid for tests and people. Pixels
// are converted through the palette (8-bit chunkies) or the installed unpack
// converter (16-bit chunkies); the alpha mask, when there is one, becomes the
// PNG's alpha channel, else every pixel is opaque.
#pragma once
#include <cstdint>
#include <string>

bool WriteChunkyPng(uint32_t nChunky, const std::string& Path);
