// Byte strings built by hand: the headers and chunks of the files the tests feed
// the engine (pictures, movies, sounds), damaged ones among them.
#pragma once
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Each value in as many bytes as it names, low byte first (LE) or high byte first (BE).
using Fields = std::initializer_list<std::pair<uint64_t, int>>;
inline Bytes Pack(Fields List, bool bBigEndian)
{
    Bytes Out;
    for (const auto& [n, nBytes] : List)
        for (int k = 0; k < nBytes; ++k)
            Out.push_back((uint8_t)(n >> 8 * (bBigEndian ? nBytes - 1 - k : k)));
    return Out;
}
inline Bytes LE(Fields List) { return Pack(List, false); }
inline Bytes BE(Fields List) { return Pack(List, true); }
inline void Append(Bytes& Out, const Bytes& More) { Out.insert(Out.end(), More.begin(), More.end()); }
inline void AppendText(Bytes& Out, const char* szText) { Out.insert(Out.end(), szText, szText + strlen(szText)); }
inline Bytes Concat(std::initializer_list<Bytes> Parts)
{
    Bytes Out;
    for (const Bytes& Part : Parts)
        Append(Out, Part);
    return Out;
}
