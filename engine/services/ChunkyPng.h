// Chunkies to and from PNG files: the debugging and modding aid that lets tests,
// tools and people look at what was drawn, and bring pictures in from any editor.
// PNG is not one of the engine's own image formats (LoadChunky does not read it):
// the engine offers it beside them, for screenshots and for the tools.
#pragma once
#include <cstdint>
#include <string>

// Writes a chunky as RGBA: pixels through the palette (8-bit), the installed unpack
// converter (16-bit) or as stored (24-bit red, green, blue); the alpha mask, when
// there is one, becomes the alpha channel.
bool WriteChunkyPng(uint32_t nChunky, const std::string& Path);

// Reads a PNG into chunky nChunky at the internal depth: 16-bit pixels through the
// installed pack converter, 8-bit through the closest palette colour. A PNG with
// transparency gives the chunky an alpha mask. False (and a log line) on failure.
bool ReadChunkyPng(uint32_t nChunky, const std::string& Path);
