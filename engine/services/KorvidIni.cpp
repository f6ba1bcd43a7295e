// The current settings file, section and temporary file, and the accessors
// that read and write typed values there.
#include "services/KorvidIni.h"

#include <cstdio>
#include <cstring>

#include "korvid.h"
#include "services/IniLines.h"

namespace {

// A longer name would be cut and so name another file or section: refused.
void KeepName(char* szStore, const char* szName, const char* szSetter)
{
    if (!szName)
        return;
    if (strlen(szName) >= (size_t)KOR_INI_NAME_SIZE) {
        Korvid.DebugLog("ERROR: ** %s('%.64s...') - Longer Than %d Characters, Refused **", szSetter, szName,
                        KOR_INI_NAME_SIZE - 1);
        return;
    }
    KorvidString::StringCopy(szStore, szName);
}

// A file edited by hand may lack the last line end; a comment appended to it
// would otherwise join that line and change its value.
bool EndsWithoutLineEnd(const char* szFile)
{
    uint32_t hFile = Korvid.FileOpen(szFile, KOR_FILE_READ);
    if (!hFile)
        return false;
    int32_t nSize = Korvid.FileSize(hFile);
    uint8_t nLast = '\n';
    if (nSize > 0) {
        Korvid.FileSeek(hFile, nSize - 1, 0);
        nLast = Korvid.FileReadByte(hFile);
    }
    Korvid.FileClose(hFile);
    return nLast != '\n' && nLast != '\r';
}

void HandOutName(char* szOutput, const char* szStore)
{
    if (szOutput)
        KorvidString::StringCopy(szOutput, szStore);
}

}  // namespace

void KorvidIni::SetIniFile(const char* szName) { KeepName(m_szIniFile, szName, "SetIniFile"); }
void KorvidIni::SetIniSection(const char* szName) { KeepName(m_szIniSection, szName, "SetIniSection"); }
void KorvidIni::SetIniTempFile(const char* szName) { KeepName(m_szIniTempFile, szName, "SetIniTempFile"); }
void KorvidIni::GetIniFile(char* szOutput) const { HandOutName(szOutput, m_szIniFile); }
void KorvidIni::GetIniSection(char* szOutput) const { HandOutName(szOutput, m_szIniSection); }
void KorvidIni::GetIniTempFile(char* szOutput) const { HandOutName(szOutput, m_szIniTempFile); }

int32_t KorvidIni::IniGetInt(const char* szKey, int32_t nDefault)
{
    char szDefault[16];
    char szValue[KOR_INI_OUTPUT_SIZE];
    snprintf(szDefault, sizeof(szDefault), "%d", nDefault);
    if (GetProfileString(m_szIniSection, szKey, szDefault, szValue, KOR_INI_OUTPUT_SIZE, m_szIniFile) == 0)
        return nDefault;
    return Korvid.StringToInteger(szValue);
}

// Only the number 1 is true: a setting of 2 is not a yes.
bool KorvidIni::IniGetBool(const char* szKey, bool bDefault) { return IniGetInt(szKey, bDefault ? 1 : 0) == 1; }

void KorvidIni::IniGetString(const char* szKey, const char* szDefault, char* szOutput)
{
    GetProfileString(m_szIniSection, szKey, szDefault, szOutput, KOR_INI_OUTPUT_SIZE, m_szIniFile);
}

bool KorvidIni::IniWriteInt(const char* szKey, int32_t nValue)
{
    char szValue[16];
    snprintf(szValue, sizeof(szValue), "%d", nValue);
    return WriteProfileString(m_szIniSection, szKey, szValue, m_szIniFile);
}

bool KorvidIni::IniWriteBool(const char* szKey, bool bValue) { return IniWriteInt(szKey, bValue ? 1 : 0); }

bool KorvidIni::IniWriteString(const char* szKey, const char* szValue)
{
    return WriteProfileString(m_szIniSection, szKey, szValue, m_szIniFile);
}

void KorvidIni::IniWriteComment(const char* szText)
{
    if (!szText)
        return;
    if (strpbrk(szText, "\r\n")) {
        Korvid.DebugLog("ERROR: ** IniWriteComment - Line Break In Comment Refused **");
        return;
    }
    bool bExists = Korvid.FileExists(m_szIniFile);
    bool bEndLastLine = bExists && EndsWithoutLineEnd(m_szIniFile);
    uint32_t hIni = Korvid.FileOpen(m_szIniFile, bExists ? KOR_FILE_APPEND : KOR_FILE_WRITE);
    if (!hIni)
        return;
    if (bEndLastLine)
        IniWriteLine(hIni, "");
    IniWriteLine(hIni, szText[0] == ';' ? "" : "; ", szText);
    Korvid.FileClose(hIni);
}
