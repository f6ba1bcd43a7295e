// Finished sheets of the data set read back as canvases, so the instruction
// pages show the very pictures the game draws.
#pragma once
#include <map>
#include <string>

#include "Canvas.h"
#include "Forge.h"
#include "sheets.h"

class SheetReader {
public:
    explicit SheetReader(const ForgeContext& Context) : m_Context(Context) {}

    // The sheet "gfx/<Name>.kvp" (with its mask "gfx/<Name>_a.kvp" when there is
    // one); null, after one line saying so, when the sheet is not in the data set.
    const Canvas* Sheet(const std::string& Name);
    // A rectangle of a sheet, scaled to w x h (its own size when w is 0); an empty
    // canvas when the sheet is missing.
    Canvas Part(const std::string& Name, const SheetRect& Area, int w = 0, int h = 0);

private:
    const ForgeContext& m_Context;
    std::map<std::string, Canvas> m_Loaded;
    std::map<std::string, bool> m_Missing;
};
