// Text operations on zero-terminated byte strings with ASCII case rules and no
// locale, so that every text behaves the same on every machine. A destination
// must be large enough for the result; only StringToPascal and StringCopyN
// bound what they write.
#include "core/KorvidString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "korvid.h"

namespace {

constexpr int32_t PASCAL_LIMIT = 255;

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? (char)(c - 'A' + 'a') : c; }

bool SameChar(char a, char b, int nCase) { return nCase ? a == b : LowerAscii(a) == LowerAscii(b); }

// True when text starts with the whole of pattern.
bool StartsWith(const char* text, const char* pattern, int nCase)
{
    for (; *pattern; ++text, ++pattern)
        if (!*text || !SameChar(*text, *pattern, nCase))
            return false;
    return true;
}

}  // namespace

int32_t KorvidString::StringLength(const char* s) { return s ? (int32_t)strlen(s) : 0; }

void KorvidString::StringCopy(char* dst, const char* src)
{
    if (dst && src)
        memmove(dst, src, strlen(src) + 1);
}

void KorvidString::StringCopyN(char* dst, const char* src, int32_t n)
{
    if (dst && src && n > 0)
        strncpy(dst, src, (size_t)n);
}

void KorvidString::StringAppend(char* dst, const char* src)
{
    if (dst && src)
        memmove(dst + strlen(dst), src, strlen(src) + 1);
}

void KorvidString::StringInsert(char* dst, const char* prefix)
{
    if (!dst || !prefix || !*dst || !*prefix)
        return;
    size_t nPrefix = strlen(prefix);
    memmove(dst + nPrefix, dst, strlen(dst) + 1);
    memcpy(dst, prefix, nPrefix);
}

int KorvidString::StringPrintf(char* dst, const char* format, ...)
{
    if (!dst || !format)
        return 0;
    va_list Args;
    va_start(Args, format);
    int nLength = vsprintf(dst, format, Args);
    va_end(Args);
    return nLength;
}

void KorvidString::StringToUpper(char* s)
{
    if (!s) {
        Korvid.DebugLog("ERROR: ** StringToUpper NULL String **");
        return;
    }
    for (; *s; ++s)
        *s = UpperAscii(*s);
}

void KorvidString::StringToLower(char* s)
{
    if (!s) {
        Korvid.DebugLog("ERROR: ** StringToLower NULL String **");
        return;
    }
    for (; *s; ++s)
        *s = LowerAscii(*s);
}

bool KorvidString::StringEqual(const char* a, const char* b, int nCase)
{
    if (!a || !b)
        return a == b;
    return StartsWith(a, b, nCase) && strlen(a) == strlen(b);
}

const char* KorvidString::StringFind(const char* text, const char* pattern, int nCase)
{
    if (!text || !pattern)
        return nullptr;
    for (const char* p = text;; ++p) {
        if (StartsWith(p, pattern, nCase))
            return p;
        if (!*p)
            return nullptr;
    }
}

// Text put in is never searched again, so a replacement that contains the
// text it replaces cannot run away.
void KorvidString::StringReplace(char* s, const char* szOld, const char* szNew)
{
    if (!s || !szOld || !szNew || !*szOld)
        return;
    size_t nOld = strlen(szOld), nNew = strlen(szNew);
    for (char* p = strstr(s, szOld); p; p = strstr(p + nNew, szOld)) {
        memmove(p + nNew, p + nOld, strlen(p + nOld) + 1);
        memcpy(p, szNew, nNew);
    }
}

void KorvidString::StringCopyUntil(const char* src, char* dst, char c)
{
    if (!src || !dst)
        return;
    while (*src && *src != c)
        *dst++ = *src++;
    *dst = 0;
}

void KorvidString::StringCutRight(char* s, int32_t n)
{
    if (!s || n <= 0)
        return;
    int32_t nLength = StringLength(s);
    s[n >= nLength ? 0 : nLength - n] = 0;
}

void KorvidString::StringTrimLeft(char* s, char c)
{
    if (!s || !c)
        return;
    size_t nSkip = 0;
    while (s[nSkip] == c)
        ++nSkip;
    memmove(s, s + nSkip, strlen(s + nSkip) + 1);
}

void KorvidString::StringTrimRight(char* s, char c)
{
    if (!s || !c)
        return;
    for (size_t nLength = strlen(s); nLength > 0 && s[nLength - 1] == c; --nLength)
        s[nLength - 1] = 0;
}

// Bytes are taken as signed: everything from 128 up counts as "below 32" too.
void KorvidString::StringStripControl(char* s)
{
    if (!s)
        return;
    char* pOut = s;
    for (const char* pIn = s; *pIn; ++pIn)
        if ((signed char)*pIn >= ' ' || *pIn == '\t')
            *pOut++ = *pIn;
    *pOut = 0;
}

void KorvidString::StringToPascal(uint8_t* dst, const char* src)
{
    if (!dst || !src)
        return;
    int32_t nLength = StringLength(src);
    if (nLength > PASCAL_LIMIT) {
        Korvid.DebugLog("WARNING: StringToPascal() - String Too Large, Will be Truncated ('%s')", src);
        nLength = PASCAL_LIMIT;
    }
    dst[0] = (uint8_t)nLength;
    memcpy(dst + 1, src, (size_t)nLength);
}

void KorvidString::StringToWide(uint16_t* dst, const char* src)
{
    if (!dst || !src)
        return;
    do
        *dst++ = (uint8_t)*src;
    while (*src++);
}

void KorvidString::StringFromWide(char* dst, const uint16_t* src)
{
    if (!dst || !src)
        return;
    do
        *dst++ = (char)(*src & 0xFF);
    while (*src++);
}

// Values past the range of 32 bits stop at its ends instead of wrapping.
int32_t KorvidString::StringToInteger(const char* s)
{
    if (!s)
        return 0;
    while (*s == ' ' || *s == '\t')
        ++s;
    bool bNegative = *s == '-';
    if (*s == '+' || *s == '-')
        ++s;
    int64_t nValue = 0;
    for (; *s >= '0' && *s <= '9'; ++s) {
        nValue = nValue * 10 + (*s - '0');
        if (nValue > (int64_t)INT32_MAX + 1)
            nValue = (int64_t)INT32_MAX + 1;
    }
    if (bNegative)
        return (int32_t)-nValue;
    return nValue > INT32_MAX ? INT32_MAX : (int32_t)nValue;
}

void KorvidString::IntegerToString(char* dst, int32_t n)
{
    if (!dst) {
        Korvid.DebugLog("ERROR: ** IntegerToString() - Passed string is NULL **");
        return;
    }
    sprintf(dst, "%d", (int)n);
}
