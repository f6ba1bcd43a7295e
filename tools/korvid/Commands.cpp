// The table of the tool's commands and the small helpers they share.
#include <cstdio>

#include "Tool.h"

const std::vector<ToolCommand>& ToolCommands()
{
    static const std::vector<ToolCommand> Commands = {
        {"image", "info", "FILE", "size, depth, alpha mask and hot spot of a picture", 1, 1, ImageInfo},
        {"image", "convert", "IN OUT [--depth 8|16|24]",
         "converts a picture; the formats follow the names (.kvp .tga .bmp .pcx .png)", 2, 4, ImageConvert},
        {"movie", "info", "FILE", "frames, size, frame time and sound track of a movie", 1, 1, MovieInfo},
        {"movie", "frames", "FILE DIR", "writes every frame of a movie into DIR as frameNNNN.png", 2, 2, MovieFrames},
        {"kar", "list", "FILE", "lists the sounds of an archive: name, size and offset", 1, 1, ArchiveList},
        {"kar", "extract", "FILE DIR", "writes every sound of an archive into DIR as NAME", 2, 2, ArchiveExtract},
        {"kar", "pack", "DIR FILE", "packs every .wav file of DIR, sorted by name, into an archive", 2, 2,
         ArchivePack},
        {"wav", "decode", "IN OUT", "writes the 16-bit mono image the game plays from a WAV file (PCM or ADPCM)", 2,
         2, WavDecode},
    };
    return Commands;
}

std::string TakeOption(ToolArgs& Args, const std::string& Option, const std::string& Default)
{
    for (size_t n = 0; n + 1 < Args.size(); ++n)
        if (Args[n] == Option) {
            std::string Value = Args[n + 1];
            Args.erase(Args.begin() + (long)n, Args.begin() + (long)n + 2);
            return Value;
        }
    return Default;
}

bool ReadWholeFile(const std::string& Path, std::vector<uint8_t>& Bytes, std::string& Error)
{
    FILE* pFile = fopen(Path.c_str(), "rb");
    if (!pFile) {
        Error = "cannot open '" + Path + "'";
        return false;
    }
    Bytes.clear();
    uint8_t Buffer[65536];
    for (size_t nRead; (nRead = fread(Buffer, 1, sizeof(Buffer), pFile)) > 0;)
        Bytes.insert(Bytes.end(), Buffer, Buffer + nRead);
    bool bFailed = ferror(pFile) != 0;
    fclose(pFile);
    if (bFailed)
        Error = "cannot read '" + Path + "'";
    return !bFailed;
}

bool WriteWholeFile(const std::string& Path, const uint8_t* pBytes, size_t nSize, std::string& Error)
{
    FILE* pFile = fopen(Path.c_str(), "wb");
    bool bWritten = pFile && fwrite(pBytes, 1, nSize, pFile) == nSize;
    if (pFile && fclose(pFile) != 0)
        bWritten = false;
    if (!bWritten)
        Error = "cannot write '" + Path + "'";
    return bWritten;
}
