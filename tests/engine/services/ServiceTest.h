// Shared set-up for the services tests: a scratch directory, the log open, a
// virtual-clock platform that can be told to refuse allocations, and seeded data
// of the kinds the coders meet.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "korvid.h"
#include "support/Bytes.h"
#include "support/TestApp.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

class ServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnterScratchDirectory();
        Korvid.SetPlatform(&m_Platform);
        Korvid.PrepareMainThread();
        Korvid.ThreadHello(0);
        Korvid.StartLog();
    }
    void TearDown() override { Korvid.FreeCompressBuffer(); }

    VirtualClockPlatform m_Platform;
};


// How many log lines hold every one of Parts.
inline int LogCount(std::initializer_list<std::string> Parts)
{
    int nCount = 0;
    for (const std::string& Line : LogMessages()) {
        auto Holds = [&Line](const std::string& Part) { return Line.find(Part) != std::string::npos; };
        nCount += std::all_of(Parts.begin(), Parts.end(), Holds);
    }
    return nCount;
}

inline bool LogMentions(std::initializer_list<std::string> Parts) { return LogCount(Parts) > 0; }

template <typename Item>
std::vector<Item> Prefix(const std::vector<Item>& Data, size_t nLength)
{
    return std::vector<Item>(Data.begin(), Data.begin() + (long)nLength);
}

enum class DataKind { Random, Runs, FewValues, Ramp, Sparse, Gradient };

inline Bytes MakeData(DataKind Kind, size_t nSize, uint32_t nSeed)
{
    std::mt19937 Generator(nSeed);
    auto Below = [&](uint32_t nLimit) { return (uint32_t)(Generator() % nLimit); };
    Bytes Data;
    Data.reserve(nSize);
    while (Data.size() < nSize) {
        switch (Kind) {
        case DataKind::Random: Data.push_back((uint8_t)Generator()); break;
        case DataKind::Runs:   // runs of 1..400, long enough to need two long-run tokens
            Data.insert(Data.end(), std::min<size_t>(1 + Below(400), nSize - Data.size()), (uint8_t)Generator());
            break;
        case DataKind::FewValues: Data.push_back((uint8_t)Below(4)); break;
        case DataKind::Ramp: Data.push_back((uint8_t)Data.size()); break;
        case DataKind::Sparse: Data.push_back(Below(10) == 0 ? (uint8_t)Generator() : 0); break;
        case DataKind::Gradient:   // rows of 320 pixels whose value steps every few pixels
            Data.push_back((uint8_t)((Data.size() % 320) / 5 + (Data.size() / 320) + nSeed));
            break;
        }
    }
    return Data;
}
