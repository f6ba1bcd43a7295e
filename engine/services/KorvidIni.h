// Settings in a plain-text INI file of [sections] and key=value lines. A reader
// looks one key up (or lists the sections, or a section's keys); a writer
// rewrites the whole file through a temporary file so that one key changes and
// every other line, comment and section survives. The Ini* accessors work on
// one current file and one current section and convert integers and booleans.
#pragma once
#include <cstdint>

constexpr int32_t KOR_INI_NAME_SIZE = 256;     // file, section and temporary names
constexpr int32_t KOR_INI_OUTPUT_SIZE = 256;   // what the Ini* getters read into

class KorvidIni {
public:
    // The output holds the value, a list of names (each ended by a zero byte,
    // the list by one more), or the default; the result is its length.
    int32_t GetProfileString(const char* szSection, const char* szKey, const char* szDefault, char* szOutput,
                             int32_t nSize, const char* szFile);
    // A null key empties the section, a null value removes the key.
    bool WriteProfileString(const char* szSection, const char* szKey, const char* szValue, const char* szFile);

    int32_t IniGetInt(const char* szKey, int32_t nDefault);
    bool IniGetBool(const char* szKey, bool bDefault);
    void IniGetString(const char* szKey, const char* szDefault, char* szOutput);
    bool IniWriteInt(const char* szKey, int32_t nValue);
    bool IniWriteBool(const char* szKey, bool bValue);
    bool IniWriteString(const char* szKey, const char* szValue);
    void IniWriteComment(const char* szText);

    void SetIniFile(const char* szName);
    void SetIniSection(const char* szName);
    void SetIniTempFile(const char* szName);
    void GetIniFile(char* szOutput) const;
    void GetIniSection(char* szOutput) const;
    void GetIniTempFile(char* szOutput) const;

    // The last step of a rewrite puts the finished temporary file in place of
    // the settings file (platform paths, true on success). It is a rename, so
    // the settings file is always either the old or the new one whole; tests
    // replace it to stop a rewrite right before that moment.
    using IniReplaceFunction = bool (*)(const char* szTempPath, const char* szIniPath);
    void SetIniReplaceFunction(IniReplaceFunction pFunction);

private:
    bool CreateIniFile(const char* szSection, const char* szKey, const char* szValue, const char* szFile);

    char m_szIniFile[KOR_INI_NAME_SIZE] = {};
    char m_szIniSection[KOR_INI_NAME_SIZE] = {};
    char m_szIniTempFile[KOR_INI_NAME_SIZE] = {};
    IniReplaceFunction m_pIniReplace = nullptr;   // null: rename
};
