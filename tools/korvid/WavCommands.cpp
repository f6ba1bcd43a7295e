// korvid wav decode: the image the game hands to the mixer, from any WAV it plays.
#include "Tool.h"
#include "korvid.h"

bool WavDecode(const ToolArgs& Args, std::string& Error)
{
    std::vector<uint8_t> Image;
    if (!ReadWholeFile(Args[0], Image, Error))
        return false;
    if (!Korvid.IsSoundOn()) {
        Error = "the sound module could not start: " + EngineErrorSince(0);
        return false;
    }
    size_t nMark = EngineLogMark();
    if (!Korvid.DecodeWAV(0, Image.data(), (uint32_t)Image.size(), false)) {
        Error = "'" + Args[0] + "': " + EngineErrorSince(nMark);
        return false;
    }
    const uint8_t* pMixerImage = Korvid.SoundSlot(0)->pWavImage;
    uint32_t nDataSize = pMixerImage[40] | pMixerImage[41] << 8 | pMixerImage[42] << 16 | (uint32_t)pMixerImage[43] << 24;
    return WriteWholeFile(Args[1], pMixerImage, 44 + (size_t)nDataSize, Error);
}
