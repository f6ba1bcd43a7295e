// PLACEHOLDER: replaced by the file layer.
#include "korvid.h"
#include <cstdarg>
#include <map>
#include <string>
#include <cstring>
static std::map<uint32_t, FILE*> g_Files;
static uint32_t g_nNext = 1;
void KorvidFile::SetMaxFiles(uint32_t) {}
void KorvidFile::SetFileCacheSize(int32_t) {}
static std::string g_ReadDir, g_WriteDir;
void KorvidFile::SetReadDir(const char* s) { g_ReadDir = s; }
void KorvidFile::SetWriteDir(const char* s) { g_WriteDir = s; }
const char* KorvidFile::GetReadDir() const { return g_ReadDir.empty() ? nullptr : g_ReadDir.c_str(); }
const char* KorvidFile::GetWriteDir() const { return g_WriteDir.empty() ? nullptr : g_WriteDir.c_str(); }
uint32_t KorvidFile::FileOpen(const char* n, uint8_t f) { FILE* p = Korvid.OS()->StreamOpen(n, f); if (!p) return 0; g_Files[g_nNext] = p; return g_nNext++; }
void KorvidFile::FileClose(uint32_t h) { if (g_Files.count(h)) { fclose(g_Files[h]); g_Files.erase(h); } }
int32_t KorvidFile::FileRead(uint32_t, void*, int32_t, bool) { return 0; }
int32_t KorvidFile::FileWrite(uint32_t h, const void* s, int32_t n) { if (!g_Files.count(h)) return 0; return (int32_t)Korvid.OS()->StreamWrite(g_Files[h], s, n); }
void KorvidFile::FileSeek(uint32_t, int32_t, uint8_t) {}
void KorvidFile::FileRewind(uint32_t) {}
int32_t KorvidFile::FilePoss(uint32_t) { return -1; }
int32_t KorvidFile::FileSize(uint32_t) { return 0; }
bool KorvidFile::FileEOF(uint32_t) { return true; }
bool KorvidFile::FileExists(const char* n, uint8_t) { FILE* p = fopen(n, "rb"); if (p) fclose(p); return p; }
bool KorvidFile::FilePrintf(uint32_t h, const char* f, ...) { char b[5016]; va_list a; va_start(a, f); vsnprintf(b, sizeof b, f, a); va_end(a); FileWrite(h, b, (int32_t)strlen(b)); return true; }
bool KorvidFile::FileReadString(uint32_t, char*, int32_t) { return false; }
bool KorvidFile::FileReadLine(uint32_t, char*, int32_t) { return false; }
uint8_t KorvidFile::FileReadByte(uint32_t) { return 0; }
int32_t KorvidFile::FileWriteByte(uint32_t, uint8_t) { return 0; }
uint16_t KorvidFile::FileReadWordBE(uint32_t) { return 0; }
uint32_t KorvidFile::FileReadLongBE(uint32_t) { return 0; }
uint16_t KorvidFile::FileReadWordLE(uint32_t) { return 0; }
uint32_t KorvidFile::FileReadLongLE(uint32_t) { return 0; }
int32_t KorvidFile::FileWriteWordBE(uint32_t, uint16_t) { return 0; }
int32_t KorvidFile::FileWriteLongBE(uint32_t, uint32_t) { return 0; }
int32_t KorvidFile::FileWriteWordLE(uint32_t, uint16_t) { return 0; }
int32_t KorvidFile::FileWriteLongLE(uint32_t, uint32_t) { return 0; }
void KorvidFile::FileReadWordsBE(uint32_t, uint16_t*, int32_t) {}
void KorvidFile::FileReadLongsBE(uint32_t, uint32_t*, int32_t) {}
void KorvidFile::FileReadWordsLE(uint32_t, uint16_t*, int32_t) {}
void KorvidFile::FileReadLongsLE(uint32_t, uint32_t*, int32_t) {}
void KorvidFile::FileWriteWordsBE(uint32_t, const uint16_t*, int32_t) {}
void KorvidFile::FileWriteLongsBE(uint32_t, const uint32_t*, int32_t) {}
void KorvidFile::FileWriteWordsLE(uint32_t, const uint16_t*, int32_t) {}
void KorvidFile::FileWriteLongsLE(uint32_t, const uint32_t*, int32_t) {}
bool KorvidFile::FileValidate(const char*, KorMD5&) { return false; }
bool KorvidFile::FileCopy(const char*, const char*) { return false; }
bool KorvidFile::MakeDir(const char*) { return false; }
bool KorvidFile::ChangeDir(const char*) { return false; }
bool KorvidFile::FileDelete(const char*) { return false; }
void KorvidFile::FileValidationReport() {}
void KorvidFile::ReportFileCache() {}
int32_t KorvidFile::PeakOpenFiles() const { return 0; }
