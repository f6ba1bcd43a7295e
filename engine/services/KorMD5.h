// The MD5 message digest (RFC 1321), for validating files and digesting strings.
#pragma once
#include <cstdint>

class KorMD5 {
public:
    KorMD5();
    explicit KorMD5(const char* szText);

    void Update(const uint8_t* pData, uint32_t nLength);
    void Finalize();
    const uint8_t* Digest();      // finalises first if needed
    const char* HexDigest();      // 32 lower-case hex characters; finalises first if needed

private:
    void Transform(const uint8_t* pBlock);
    void Absorb(const uint8_t* pData, uint32_t nLength);

    uint32_t m_State[4];
    uint32_t m_BitCount[2];       // low, high
    uint8_t m_Buffer[64];
    uint8_t m_Digest[16] = {};
    char m_szHex[33] = {};
    uint8_t m_bFinalized = 0;
};
