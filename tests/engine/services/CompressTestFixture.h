// Shared set-up for the compression tests: a scratch directory, a virtual-clock
// platform that can be told to refuse allocations, the log open, and seeded
// generators for the kinds of data the coders meet.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "support/TestApp.h"
#include "support/TestPlatform.h"

using Bytes = std::vector<uint8_t>;

class RefusingPlatform : public VirtualClockPlatform {
public:
    void* Alloc(size_t nSize) override
    {
        if (m_RefuseAlloc && m_RefuseAlloc(nSize))
            return nullptr;
        return VirtualClockPlatform::Alloc(nSize);
    }
    std::function<bool(size_t)> m_RefuseAlloc;
};

class CompressTest : public ::testing::Test {
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

    static bool LogHas(const std::string& Line) { return IndexOf(LogMessages(), Line) >= 0; }

    RefusingPlatform m_Platform;
};

// The kinds of data the round trips run over; each is made from a seed.
enum class DataKind { Random, Runs, FewValues, Ramp, Sparse, Gradient };

inline const char* DataKindName(DataKind Kind)
{
    switch (Kind) {
    case DataKind::Random: return "random";
    case DataKind::Runs: return "runs";
    case DataKind::FewValues: return "few values";
    case DataKind::Ramp: return "ramp";
    case DataKind::Sparse: return "sparse";
    case DataKind::Gradient: return "gradient";
    }
    return "?";
}

inline Bytes MakeData(DataKind Kind, size_t nSize, uint32_t nSeed)
{
    std::mt19937 Generator(nSeed);
    auto Below = [&](uint32_t nLimit) { return (uint32_t)(Generator() % nLimit); };
    Bytes Data;
    Data.reserve(nSize);
    while (Data.size() < nSize) {
        switch (Kind) {
        case DataKind::Random:
            Data.push_back((uint8_t)Generator());
            break;
        case DataKind::Runs:   // runs of 1..400, long enough to need two long-run tokens
            Data.insert(Data.end(), std::min<size_t>(1 + Below(400), nSize - Data.size()), (uint8_t)Generator());
            break;
        case DataKind::FewValues:
            Data.push_back((uint8_t)Below(4));
            break;
        case DataKind::Ramp:
            Data.push_back((uint8_t)Data.size());
            break;
        case DataKind::Sparse:
            Data.push_back(Below(10) == 0 ? (uint8_t)Generator() : 0);
            break;
        case DataKind::Gradient:   // rows of 320 pixels whose value steps every few pixels
            Data.push_back((uint8_t)((Data.size() % 320) / 5 + (Data.size() / 320) + nSeed));
            break;
        }
    }
    return Data;
}
