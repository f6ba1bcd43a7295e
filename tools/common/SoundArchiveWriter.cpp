#include "SoundArchiveWriter.h"

#include "SoundArchive.h"

namespace {

void AppendLongBE(std::vector<uint8_t>& Out, uint32_t nValue)
{
    for (int nShift = 24; nShift >= 0; nShift -= 8)
        Out.push_back((uint8_t)(nValue >> nShift));
}

}  // namespace

std::vector<uint8_t> BuildSoundArchive(const std::vector<SoundArchiveEntry>& Entries, std::string& Error)
{
    if (Entries.size() > SOUND_PACK_MAX_ENTRIES) {
        Error = "more than " + std::to_string(SOUND_PACK_MAX_ENTRIES) + " sounds";
        return {};
    }
    std::vector<uint8_t> Archive;
    AppendLongBE(Archive, (uint32_t)Entries.size());
    uint64_t nOffset = 0;
    for (const SoundArchiveEntry& Entry : Entries) {
        if (Entry.Name.empty() || Entry.Name.size() >= SOUND_PACK_NAME_SIZE || Entry.Name.find('\0') != std::string::npos) {
            Error = "sound name '" + Entry.Name + "' must have 1 to 63 characters";
            return {};
        }
        if (nOffset + Entry.Image.size() > UINT32_MAX) {
            Error = "sounds larger than 4 GB in all";
            return {};
        }
        AppendLongBE(Archive, (uint32_t)Entry.Image.size());
        AppendLongBE(Archive, (uint32_t)nOffset);
        Archive.insert(Archive.end(), Entry.Name.begin(), Entry.Name.end());
        Archive.push_back(0);
        nOffset += Entry.Image.size();
    }
    for (const SoundArchiveEntry& Entry : Entries)
        Archive.insert(Archive.end(), Entry.Image.begin(), Entry.Image.end());
    return Archive;
}
