// The MD5 message digest (RFC 1321), for validating files and digesting strings.
#pragma once
#include <cstdint>

class KorMD5 {
public:
    KorMD5();
    explicit KorMD5(const char* szText);

    void Update(const uint8_t* pData, uint32_t nLength);
    void Finalize();
    const uint8_t* Digest();
    const char* HexDigest();
};
