// Whole files written and read back byte for byte, for tests that check what
// the engine put on disk or feed it files made here.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <string>
#include <vector>

inline void WriteFileBytes(const std::string& Name, const std::vector<uint8_t>& Bytes)
{
    std::ofstream(Name, std::ios::binary).write((const char*)Bytes.data(), (std::streamsize)Bytes.size());
}

inline void WriteFileText(const std::string& Name, const std::string& Text)
{
    std::ofstream(Name, std::ios::binary) << Text;
}

inline std::vector<uint8_t> ReadFileBytes(const std::string& Name)
{
    std::ifstream File(Name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

inline std::string ReadFileText(const std::string& Name)
{
    std::ifstream File(Name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
}

inline bool PathExists(const std::string& Path)
{
    struct stat Info;
    return stat(Path.c_str(), &Info) == 0;
}
