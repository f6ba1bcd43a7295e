// korvid kar: list, extract and pack sound archives.
#include <algorithm>
#include <cstdio>
#include <dirent.h>

#include "SoundArchive.h"
#include "SoundArchiveWriter.h"
#include "Tool.h"
#include "korvid.h"

namespace {

SoundPack g_Pack;

bool OpenArchive(const std::string& Path, std::string& Error)
{
    g_Pack = SoundPack{};
    size_t nMark = EngineLogMark();
    OpenSoundPack(g_Pack, Path.c_str());
    Error = EngineErrorSince(nMark);
    if (!Error.empty())
        Error = "'" + Path + "': " + Error;
    return Error.empty();
}

// An archive name becomes a file name only when it cannot leave the directory.
bool SafeFileName(const std::string& Name)
{
    return !Name.empty() && Name != "." && Name != ".." && Name.find('/') == std::string::npos;
}

}  // namespace

bool ArchiveList(const ToolArgs& Args, std::string& Error)
{
    if (!OpenArchive(Args[0], Error))
        return false;
    printf("%u sounds, %u bytes of data\n", g_Pack.nEntries, g_Pack.nDataSize);
    for (uint32_t n = 0; n < g_Pack.nEntries; ++n)
        printf("%-40s %9u bytes at %9u\n", g_Pack.szNames[n], g_Pack.nSizes[n], g_Pack.nOffsets[n]);
    return true;
}

bool ArchiveExtract(const ToolArgs& Args, std::string& Error)
{
    if (!OpenArchive(Args[0], Error))
        return false;
    for (uint32_t n = 0; n < g_Pack.nEntries; ++n) {
        std::string Name = g_Pack.szNames[n];
        if (!SafeFileName(Name)) {
            Error = "sound name '" + Name + "' is not a safe file name";
            return false;
        }
        if (!WriteWholeFile(Args[1] + "/" + Name, g_Pack.pData + g_Pack.nOffsets[n], g_Pack.nSizes[n], Error))
            return false;
    }
    printf("%u sounds written to %s\n", g_Pack.nEntries, Args[1].c_str());
    return true;
}

bool ArchivePack(const ToolArgs& Args, std::string& Error)
{
    std::vector<std::string> Names;
    if (DIR* pDir = opendir(Args[0].c_str())) {
        while (dirent* pEntry = readdir(pDir)) {
            std::string Name = pEntry->d_name;
            if (Name.size() > 4 && Name.compare(Name.size() - 4, 4, ".wav") == 0)
                Names.push_back(Name);
        }
        closedir(pDir);
    } else {
        Error = "cannot read the directory '" + Args[0] + "'";
        return false;
    }
    std::sort(Names.begin(), Names.end());

    std::vector<SoundArchiveEntry> Entries;
    for (const std::string& Name : Names) {
        SoundArchiveEntry Entry{Name, {}};
        if (!ReadWholeFile(Args[0] + "/" + Name, Entry.Image, Error))
            return false;
        KorvidWavFormat Format;
        KorvidAdpcmLayout Adpcm;
        size_t nMark = EngineLogMark();
        if (!ParseWAVImage(Entry.Image.data(), (uint32_t)Entry.Image.size(), Format, Adpcm)) {
            Error = "'" + Name + "' is not a WAV the game can play: " + EngineErrorSince(nMark);
            return false;
        }
        Entries.push_back(std::move(Entry));
    }
    std::vector<uint8_t> Archive = BuildSoundArchive(Entries, Error);
    if (Archive.empty() || !WriteWholeFile(Args[1], Archive.data(), Archive.size(), Error))
        return false;
    printf("%zu sounds packed into %s\n", Entries.size(), Args[1].c_str());
    return true;
}
