// Text operations on zero-terminated byte strings (ASCII case rules, no locale).
#pragma once
#include <cstdint>

class KorvidString {
public:
    static int32_t StringLength(const char* s);
    static void StringCopy(char* dst, const char* src);
    static void StringCopyN(char* dst, const char* src, int32_t n);
    static void StringAppend(char* dst, const char* src);
    static void StringInsert(char* dst, const char* prefix);
    static int StringPrintf(char* dst, const char* format, ...) __attribute__((format(printf, 2, 3)));
    void StringToUpper(char* s);
    void StringToLower(char* s);
    static bool StringEqual(const char* a, const char* b, int nCase = 1);
    static const char* StringFind(const char* text, const char* pattern, int nCase = 1);
    static void StringReplace(char* s, const char* szOld, const char* szNew);
    static void StringCopyUntil(const char* src, char* dst, char c);
    static void StringCutRight(char* s, int32_t n);
    static void StringTrimLeft(char* s, char c);
    static void StringTrimRight(char* s, char c);
    static void StringStripControl(char* s);
    void StringToPascal(uint8_t* dst, const char* src);
    static void StringToWide(uint16_t* dst, const char* src);
    static void StringFromWide(char* dst, const uint16_t* src);
    static int32_t StringToInteger(const char* s);
    void IntegerToString(char* dst, int32_t n);
};
