// The engine's coders on real files of the forged data set: RLE Compress and
// DeCompress, ZDeCompress against zlib's own uncompress, MD5 against OpenSSL,
// and the MS ADPCM decoder against SDL 1.2's SDL_LoadWAV_RW, which decodes the
// same format. The data set is TAMBOREL_DATA_SET (environment) or the build's own.
#include <SDL/SDL.h>
#include <zlib.h>
#ifdef KORVID_BENCH_OPENSSL
#include <openssl/evp.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "SoundArchive.h"
#include "services/KorMD5.h"
#include "services/WavCodec.h"
#include "support/BenchEngine.h"

namespace {

// Pictures of three kinds: a screen background, a tile sheet and a bonus sheet.
const char* const PICTURES[] = {"hg1", "tiles", "boni"};
constexpr int8_t ZLIB_LEVEL = 9;

struct Picture {
    std::string Name;
    std::vector<uint8_t> Pixels;     // as decoded into the engine's 16-bit chunky
    std::vector<uint8_t> RleBlock;   // the engine's RLE block of the pixels (empty when it would not shrink)
    std::vector<uint8_t> ZBlock;     // a zlib stream of the pixels
};

std::vector<Picture> g_Pictures;
std::vector<uint8_t> g_Work, g_Spare;
uint32_t g_nPictureChunky = 1;

std::string DataSet()
{
    const char* szOverride = getenv("TAMBOREL_DATA_SET");
    return szOverride && *szOverride ? szOverride : TAMBOREL_DATA_SET;
}

std::vector<uint8_t> EncodeWith(const std::vector<uint8_t>& Pixels, const std::function<int32_t(void*, int32_t)>& Coder)
{
    std::vector<uint8_t> Block(Pixels.size() + 64);
    memcpy(Block.data(), Pixels.data(), Pixels.size());
    const int32_t nLength = Coder(Block.data(), (int32_t)Pixels.size());
    Block.resize(nLength > 0 ? (size_t)nLength : 0);
    return Block;
}

bool LoadPicture(const char* szName)
{
    const std::string Path = DataSet() + "/gfx/" + szName + ".kvp";
    const uint32_t nChunky = g_nPictureChunky++;
    if (Korvid.LoadChunky(nChunky, Path.c_str(), KOR_LOAD_DEPTH16) != 1) {
        fprintf(stderr, "bench_coders: cannot load %s\n", Path.c_str());
        return false;
    }
    const ChunkyObject* pChunky = Korvid.ExistingChunky(nChunky);
    Picture p;
    p.Name = szName;
    p.Pixels.assign(pChunky->pPixels, pChunky->pPixels + pChunky->nSize);
    p.RleBlock = EncodeWith(p.Pixels, [](void* b, int32_t n) { return Korvid.Compress(b, n); });
    p.ZBlock = EncodeWith(p.Pixels, [](void* b, int32_t n) { return Korvid.ZCompress(b, n, ZLIB_LEVEL); });
    g_Pictures.push_back(std::move(p));
    return true;
}

// The work buffer holds a block and then, decoded in place, its pixels.
void PutBlock(const std::vector<uint8_t>& Block) { memcpy(g_Work.data(), Block.data(), Block.size()); }

using Work = std::function<void()>;

void Register(const std::string& Subject, const char* szWho, int64_t nBytes, Work Run, bool bUsable = true)
{
    benchmark::RegisterBenchmark(CaseName(Subject.c_str(), szWho).c_str(), [=](benchmark::State& State) {
        if (!bUsable) {
            State.SkipWithError("no block of this kind for this picture");
            return;
        }
        for (auto _ : State) {
            Run();
            benchmark::ClobberMemory();
        }
        State.SetBytesProcessed(State.iterations() * nBytes);
    })->Unit(benchmark::kMicrosecond);
}

void RegisterPicture(const Picture& p)
{
    const int64_t nBytes = (int64_t)p.Pixels.size();
    const int32_t nCapacity = (int32_t)g_Work.size();
    const std::string Suffix = "_" + p.Name;

    // Every coder works in place, so each run starts by putting its input back.
    Register("RLE_Compress" + Suffix, "korvid", nBytes, [&p] {
        memcpy(g_Work.data(), p.Pixels.data(), p.Pixels.size());
        benchmark::DoNotOptimize(Korvid.Compress(g_Work.data(), (int32_t)p.Pixels.size()));
    });
    Register("RLE_Compress" + Suffix, "zlib_level1", nBytes, [&p] {
        memcpy(g_Work.data(), p.Pixels.data(), p.Pixels.size());
        uLongf nOut = (uLongf)g_Spare.size();
        benchmark::DoNotOptimize(compress2(g_Spare.data(), &nOut, g_Work.data(), p.Pixels.size(), 1));
    });

    Register("RLE_DeCompress" + Suffix, "korvid", nBytes, [&p, nCapacity] {
        PutBlock(p.RleBlock);
        benchmark::DoNotOptimize(Korvid.DeCompress(g_Work.data(), (int32_t)p.RleBlock.size(), nCapacity));
    }, !p.RleBlock.empty());
    Register("RLE_DeCompress" + Suffix, "memcpy", nBytes, [&p] {
        PutBlock(p.RleBlock);
        memcpy(g_Spare.data(), g_Work.data(), p.Pixels.size());
    }, !p.RleBlock.empty());

    Register("ZDeCompress" + Suffix, "korvid", nBytes, [&p, nCapacity] {
        PutBlock(p.ZBlock);
        benchmark::DoNotOptimize(Korvid.ZDeCompress(g_Work.data(), (int32_t)p.ZBlock.size(), nCapacity));
    }, !p.ZBlock.empty());
    // zlib reads the block from one buffer and writes another: the same copy-in first.
    Register("ZDeCompress" + Suffix, "zlib", nBytes, [&p] {
        PutBlock(p.ZBlock);
        uLongf nOut = (uLongf)g_Spare.size();
        benchmark::DoNotOptimize(uncompress(g_Spare.data(), &nOut, g_Work.data(), p.ZBlock.size()));
    }, !p.ZBlock.empty());

    Register("MD5" + Suffix, "korvid", nBytes, [&p] {
        KorMD5 Digest;
        Digest.Update(p.Pixels.data(), (uint32_t)p.Pixels.size());
        benchmark::DoNotOptimize(Digest.Digest());
    });
#ifdef KORVID_BENCH_OPENSSL
    Register("MD5" + Suffix, "openssl", nBytes, [&p] {
        unsigned char Digest[EVP_MAX_MD_SIZE];
        unsigned int nDigestLength = 0;
        EVP_Digest(p.Pixels.data(), p.Pixels.size(), Digest, &nDigestLength, EVP_md5(), nullptr);
        benchmark::DoNotOptimize(Digest);
    });
#endif
}

// The first MS ADPCM image in the sound archive (the forge stores music so).
bool RegisterAdpcm()
{
    static SoundPack Pack;
    memset(&Pack, 0, sizeof(Pack));
    const std::string Path = DataSet() + "/sound/sounds.kar";
    OpenSoundPack(Pack, Path.c_str());
    for (uint32_t n = 0; n < Pack.nEntries; ++n) {
        const uint8_t* pImage = Pack.pData + Pack.nOffsets[n];
        const uint32_t nSize = Pack.nSizes[n];
        KorvidWavFormat Format;
        KorvidAdpcmLayout Layout;
        if (!ParseWAVImage(pImage, nSize, Format, Layout) || Format.nFormatTag != KOR_WAV_MS_ADPCM)
            continue;
        const uint64_t nDecoded = DecodedWAVSize(Format, Layout);
        const int64_t nSamples = (int64_t)(nDecoded / 2);
        static std::vector<uint8_t> Out;
        Out.resize(nDecoded);
        const std::string Subject = std::string("ADPCM_decode_") + Pack.szNames[n];
        auto RegisterDecoder = [&](const char* szWho, Work Run) {
            benchmark::RegisterBenchmark(CaseName(Subject.c_str(), szWho).c_str(), [=](benchmark::State& State) {
                for (auto _ : State) {
                    Run();
                    benchmark::ClobberMemory();
                }
                State.SetItemsProcessed(State.iterations() * nSamples);
            })->Unit(benchmark::kMicrosecond);
        };
        RegisterDecoder("korvid", [=] {
            KorvidWavFormat f;
            KorvidAdpcmLayout l;
            if (ParseWAVImage(pImage, nSize, f, l))
                DecodeWAVSamples(pImage, f, l, Out.data());
        });
        RegisterDecoder("sdl", [=] {
            SDL_AudioSpec Spec;
            Uint8* pBuffer = nullptr;
            Uint32 nLength = 0;
            if (SDL_LoadWAV_RW(SDL_RWFromConstMem(pImage, (int)nSize), 1, &Spec, &pBuffer, &nLength))
                SDL_FreeWAV(pBuffer);
        });
        return true;
    }
    fprintf(stderr, "bench_coders: no MS ADPCM sound in %s\n", Path.c_str());
    return false;
}

}  // namespace

int main(int nArgs, char** ppArgs)
{
    if (!StartBenchEngine(800, 600, 16)) {
        fprintf(stderr, "bench_coders: the engine did not start\n");
        return 1;
    }
    for (const char* szName : PICTURES)
        if (!LoadPicture(szName))
            return 1;
    size_t nLargest = 0;
    for (const Picture& p : g_Pictures)
        nLargest = std::max(nLargest, p.Pixels.size());
    g_Work.resize(nLargest + 1024);
    g_Spare.resize(2 * nLargest + 1024);
    for (const Picture& p : g_Pictures)
        RegisterPicture(p);
    RegisterAdpcm();
    return RunBenchmarks(nArgs, ppArgs);
}
