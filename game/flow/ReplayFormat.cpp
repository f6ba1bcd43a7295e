// The replay file's bytes: a magic word and the format version, the header,
// the frames, and an MD5 of everything before it. Numbers are little-endian
// base-128 varints (signed ones zigzagged); a frame is one flag byte saying
// which of its parts differ from the frame before, followed by those parts.
// The steering keys are written as a mask of the held ones and their down times.
#include "ReplayFormat.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char MAGIC[4] = {'T', '2', 'R', 'P'};
constexpr size_t VERSION_TEXT_LIMIT = 32;
// A day at the engine's 50 frames a second: a length past this is damage.
constexpr uint64_t FRAME_LIMIT = 50ull * 60 * 60 * 24;

enum FrameFlag : uint8_t {
    NEW_LENGTH = 1,        // the length differs from the frame before
    POINTER_MOVED = 2,     // the pointer moved: dx and dy follow
    MOUSE_EVENT = 4,
    KEY_EVENT = 8,
    CHECKPOINT = 16,       // a checkpoint is taken after this frame
    STEER_KEYS = 32,       // a steering key went down or up
    KNOWN_FLAGS = 63,
};

class Writer {
public:
    void Byte(uint8_t n) { m_Bytes.push_back(n); }
    void Number(uint64_t n)
    {
        for (; n >= 0x80; n >>= 7)
            Byte((uint8_t)(n | 0x80));
        Byte((uint8_t)n);
    }
    void Signed(int64_t n) { Number(((uint64_t)n << 1) ^ (uint64_t)(n >> 63)); }
    void Raw(const void* pData, size_t nSize)
    {
        const uint8_t* p = static_cast<const uint8_t*>(pData);
        m_Bytes.insert(m_Bytes.end(), p, p + nSize);
    }
    std::vector<uint8_t>& Bytes() { return m_Bytes; }

private:
    std::vector<uint8_t> m_Bytes;
};

// Every read checks what is left; the first failure sticks.
class Reader {
public:
    Reader(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nLeft(nSize) {}
    bool Ok() const { return m_bOk; }
    size_t Left() const { return m_nLeft; }
    uint8_t Byte()
    {
        if (!m_nLeft)
            return Fail();
        --m_nLeft;
        return *m_pData++;
    }
    uint64_t Number()
    {
        uint64_t n = 0;
        for (int nShift = 0; nShift < 64; nShift += 7) {
            const uint8_t nByte = Byte();
            // The writer uses the shortest form: a trailing zero group or bits past 64 are damage.
            if ((nShift > 0 && nByte == 0) || (nShift == 63 && nByte > 1))
                return Fail();
            n |= (uint64_t)(nByte & 0x7F) << nShift;
            if (!(nByte & 0x80))
                return n;
        }
        return Fail();
    }
    // A number that must fit nLimit; a larger one is damage.
    uint64_t Bounded(uint64_t nLimit)
    {
        const uint64_t n = Number();
        return n <= nLimit ? n : Fail();
    }
    int64_t Signed()
    {
        const uint64_t n = Number();
        return (int64_t)(n >> 1) ^ -(int64_t)(n & 1);
    }
    int32_t Signed32()
    {
        const int64_t n = Signed();
        return n >= INT32_MIN && n <= INT32_MAX ? (int32_t)n : (int32_t)Fail();
    }
    void Raw(void* pOut, size_t nSize)
    {
        if (m_nLeft < nSize) {
            Fail();
            return;
        }
        memcpy(pOut, m_pData, nSize);
        m_pData += nSize;
        m_nLeft -= nSize;
    }

    // Marks the bytes as damaged.
    uint8_t Fail()
    {
        m_bOk = false;
        m_nLeft = 0;
        return 0;
    }

private:
    const uint8_t* m_pData;
    size_t m_nLeft;
    bool m_bOk = true;
};

void WriteEvent(Writer& Out, const KorvidEvent& E)
{
    Out.Number(E.nType);
    Out.Number(E.nCode);
    Out.Number(E.nModifiers);
    Out.Number(E.nX);
    Out.Number(E.nY);
    Out.Number(E.nHeldTime);
}

KorvidEvent ReadEvent(Reader& In)
{
    KorvidEvent E = {};
    E.nType = (uint16_t)In.Bounded(UINT16_MAX);
    E.nCode = (uint32_t)In.Bounded(UINT32_MAX);
    E.nModifiers = (uint16_t)In.Bounded(UINT16_MAX);
    E.nX = (uint16_t)In.Bounded(UINT16_MAX);
    E.nY = (uint16_t)In.Bounded(UINT16_MAX);
    E.nHeldTime = (uint32_t)In.Bounded(UINT32_MAX);
    // A flagged event of no type is damage: the writer leaves such events out.
    if (E.nType == KOR_EVENT_NONE)
        In.Fail();
    return E;
}

void WriteSteerKeys(Writer& Out, const ReplayFrame& F)
{
    uint8_t nMask = 0;
    for (size_t n = 0; n < F.SteerKeyDown.size(); ++n)
        nMask |= F.SteerKeyDown[n] ? 1 << n : 0;
    Out.Byte(nMask);
    for (uint32_t nDown : F.SteerKeyDown)
        if (nDown)
            Out.Number(nDown);
}

void ReadSteerKeys(Reader& In, ReplayFrame& F)
{
    const uint8_t nMask = In.Byte();
    if (nMask >> F.SteerKeyDown.size())
        In.Fail();
    for (size_t n = 0; n < F.SteerKeyDown.size(); ++n) {
        F.SteerKeyDown[n] = nMask & (1 << n) ? (uint32_t)In.Bounded(UINT32_MAX) : 0;
        // A held key went down at a time; 0 stands for "not held" and is not written.
        if (nMask & (1 << n) && !F.SteerKeyDown[n])
            In.Fail();
    }
}

void WriteHeader(Writer& Out, const ReplayHeader& H)
{
    Out.Number(H.GameVersion.size());
    Out.Raw(H.GameVersion.data(), H.GameVersion.size());
    Out.Raw(H.DataDigest.data(), H.DataDigest.size());
    Out.Number(H.nSeed);
    Out.Number(H.nFirstFrameTime);
    Out.Number(H.Settings.size());
    for (int32_t nValue : H.Settings)
        Out.Signed(nValue);
    Out.Number(H.SettingsFile.size());
    Out.Raw(H.SettingsFile.data(), H.SettingsFile.size());
}

void ReadHeader(Reader& In, ReplayHeader& H)
{
    H.GameVersion.resize((size_t)In.Bounded(VERSION_TEXT_LIMIT));
    In.Raw(H.GameVersion.data(), H.GameVersion.size());
    In.Raw(H.DataDigest.data(), H.DataDigest.size());
    H.nSeed = (uint32_t)In.Bounded(UINT32_MAX);
    H.nFirstFrameTime = (uint32_t)In.Bounded(UINT32_MAX);
    if (In.Number() != REPLAY_SETTING_COUNT)
        In.Fail();
    for (int32_t& nValue : H.Settings)
        nValue = In.Signed32();
    H.SettingsFile.resize((size_t)In.Bounded(std::min<uint64_t>(REPLAY_SETTINGS_FILE_LIMIT, In.Left())));
    In.Raw(H.SettingsFile.data(), H.SettingsFile.size());
}

void WriteCheckpoint(Writer& Out, const ReplayCheckpoint& C)
{
    Out.Number(C.nLevel < 0 ? 0 : (uint64_t)C.nLevel);
    Out.Signed(C.nScore);
    Out.Signed(C.nLives);
    Out.Number(C.nBalls < 0 ? 0 : (uint64_t)C.nBalls);
    Out.Raw(C.StateDigest.data(), C.StateDigest.size());
}

ReplayCheckpoint ReadCheckpoint(Reader& In, uint32_t nFrame)
{
    ReplayCheckpoint C;
    C.nFrame = nFrame;
    C.nLevel = (int32_t)In.Bounded(INT32_MAX);
    C.nScore = In.Signed32();
    C.nLives = In.Signed32();
    C.nBalls = (int32_t)In.Bounded(INT32_MAX);
    In.Raw(C.StateDigest.data(), C.StateDigest.size());
    return C;
}

ReplayDigest DigestOf(const uint8_t* pData, size_t nSize)
{
    KorMD5 Md5;
    Md5.Update(pData, (uint32_t)nSize);
    ReplayDigest Digest;
    memcpy(Digest.data(), Md5.Digest(), Digest.size());
    return Digest;
}

}  // namespace

std::vector<uint8_t> ReplayEncode(const ReplayFile& File)
{
    Writer Out;
    Out.Raw(MAGIC, sizeof(MAGIC));
    Out.Number(File.Header.nFormat);
    WriteHeader(Out, File.Header);
    Out.Number(File.Frames.size());
    ReplayFrame Before;
    size_t nCheckpoint = 0;
    for (size_t n = 0; n < File.Frames.size(); ++n) {
        const ReplayFrame& F = File.Frames[n];
        const bool bCheckpoint =
            nCheckpoint < File.Checkpoints.size() && File.Checkpoints[nCheckpoint].nFrame == n + 1;
        const bool bMoved = F.nMouseX != Before.nMouseX || F.nMouseY != Before.nMouseY;
        const bool bSteer = F.SteerKeyDown != Before.SteerKeyDown;
        Out.Byte((uint8_t)((F.nLength != Before.nLength ? NEW_LENGTH : 0) | (bMoved ? POINTER_MOVED : 0) |
                           (F.Mouse.nType != KOR_EVENT_NONE ? MOUSE_EVENT : 0) |
                           (F.Key.nType != KOR_EVENT_NONE ? KEY_EVENT : 0) | (bCheckpoint ? CHECKPOINT : 0) |
                           (bSteer ? STEER_KEYS : 0)));
        if (F.nLength != Before.nLength)
            Out.Number(F.nLength);
        if (bMoved) {
            Out.Signed(F.nMouseX - Before.nMouseX);
            Out.Signed(F.nMouseY - Before.nMouseY);
        }
        if (F.Mouse.nType != KOR_EVENT_NONE)
            WriteEvent(Out, F.Mouse);
        if (F.Key.nType != KOR_EVENT_NONE)
            WriteEvent(Out, F.Key);
        if (bCheckpoint)
            WriteCheckpoint(Out, File.Checkpoints[nCheckpoint++]);
        if (bSteer)
            WriteSteerKeys(Out, F);
        Before = F;
    }
    const ReplayDigest Sum = DigestOf(Out.Bytes().data(), Out.Bytes().size());
    Out.Raw(Sum.data(), Sum.size());
    return Out.Bytes();
}

bool ReplayDecode(const uint8_t* pData, size_t nSize, ReplayFile& File, std::string& Problem)
{
    File = ReplayFile();
    char Magic[sizeof(MAGIC)] = {};
    Reader In(pData, nSize);
    In.Raw(Magic, sizeof(Magic));
    if (!In.Ok() || memcmp(Magic, MAGIC, sizeof(MAGIC)) != 0) {
        Problem = "not a replay file";
        return false;
    }
    File.Header.nFormat = (uint32_t)In.Bounded(UINT32_MAX);
    if (In.Ok() && File.Header.nFormat != REPLAY_FORMAT_VERSION) {
        Problem = "replay format " + std::to_string(File.Header.nFormat) + ", this game reads format " +
                  std::to_string(REPLAY_FORMAT_VERSION);
        return false;
    }
    if (nSize < sizeof(MAGIC) + REPLAY_DIGEST_BYTES ||
        DigestOf(pData, nSize - REPLAY_DIGEST_BYTES) !=
            *reinterpret_cast<const ReplayDigest*>(pData + nSize - REPLAY_DIGEST_BYTES)) {
        Problem = "the file is damaged or cut short (its checksum does not match)";
        return false;
    }
    Reader Body(pData, nSize - REPLAY_DIGEST_BYTES);
    Body.Raw(Magic, sizeof(Magic));
    Body.Number();
    ReadHeader(Body, File.Header);
    // Every frame takes at least its flag byte: a larger count is damage, not a reason to allocate.
    const uint64_t nFrames = Body.Bounded(std::min<uint64_t>(FRAME_LIMIT, Body.Left()));
    File.Frames.reserve((size_t)nFrames);
    ReplayFrame Before;
    for (uint64_t n = 0; n < nFrames && Body.Ok(); ++n) {
        const uint8_t nFlags = Body.Byte();
        if (nFlags & ~KNOWN_FLAGS)
            Body.Fail();
        ReplayFrame F = Before;
        F.Mouse = F.Key = {};
        // A part flagged as changed that did not change is not what the writer writes.
        if (nFlags & NEW_LENGTH) {
            F.nLength = (uint32_t)Body.Bounded(UINT32_MAX);
            if (F.nLength == Before.nLength)
                Body.Fail();
        }
        if (nFlags & POINTER_MOVED) {
            const int64_t nX = Before.nMouseX + Body.Signed(), nY = Before.nMouseY + Body.Signed();
            if (nX < 0 || nX > UINT16_MAX || nY < 0 || nY > UINT16_MAX)
                Body.Fail();
            F.nMouseX = (uint16_t)nX;
            F.nMouseY = (uint16_t)nY;
            if (nX == Before.nMouseX && nY == Before.nMouseY)
                Body.Fail();
        }
        if (nFlags & MOUSE_EVENT)
            F.Mouse = ReadEvent(Body);
        if (nFlags & KEY_EVENT)
            F.Key = ReadEvent(Body);
        if (nFlags & CHECKPOINT)
            File.Checkpoints.push_back(ReadCheckpoint(Body, (uint32_t)(n + 1)));
        if (nFlags & STEER_KEYS) {
            ReadSteerKeys(Body, F);
            if (F.SteerKeyDown == Before.SteerKeyDown)
                Body.Fail();
        }
        File.Frames.push_back(F);
        Before = F;
    }
    if (!Body.Ok() || Body.Left() != 0) {
        Problem = "the file is damaged (its frames do not read as written)";
        File = ReplayFile();
        return false;
    }
    return true;
}
