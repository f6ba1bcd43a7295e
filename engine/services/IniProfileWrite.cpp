// The settings writer: copies the file line by line into the new text,
// changing, adding or removing one key (or emptying one section) on the way,
// then saves the new text whole through the temporary file (see SafeSave.h).
// A crash at any moment leaves the settings file either as it was or as it is
// meant to be.
#include <cstring>
#include <string>

#include "korvid.h"
#include "services/IniLines.h"
#include "services/SafeSave.h"

namespace {

const char* Printable(const char* szText) { return szText ? szText : "(null)"; }

bool HasLineBreak(const char* szText) { return szText && strpbrk(szText, "\r\n"); }

// Appends each text in turn, then LF.
void AppendLine(std::string& Text, const char* szFirst, const char* szSecond = nullptr, const char* szThird = nullptr)
{
    for (const char* szPart : {szFirst, szSecond, szThird})
        if (szPart)
            Text += szPart;
    Text += '\n';
}

// The save logs its own reason; the writer's line names the settings file.
bool SaveIniText(const std::string& Text, const char* szFile, const char* szTempFile,
                 KorvidReplaceFunction pReplace)
{
    if (KorvidSaveWhole(szFile, szTempFile, Text.data(), Text.size(), pReplace))
        return true;
    Korvid.DebugLog("ERROR: ** WriteProfileString - Can't Replace '%s' With '%s' **", szFile, szTempFile);
    return false;
}

// One pass over the settings file. Blank lines met inside the section wait
// until the next line is known, so that a new key lands right after the
// section's last entry rather than after the blank lines that set off the
// next section.
class IniRewrite {
public:
    IniRewrite(const char* szSection, const char* szKey, const char* szValue, std::string& NewText)
        : m_szSection(szSection), m_szKey(szKey), m_szValue(szValue), m_NewText(NewText)
    {
    }

    void TakeLine(const IniLine& Line)
    {
        if (m_bKeyDone || !m_bSectionFound) {
            if (Line.nKind == IniLineKind::Section && KorvidString::StringEqual(Line.szName, m_szSection, 0))
                m_bSectionFound = true;
            CopyLine(Line.Whole);
        } else if (Line.nKind == IniLineKind::Blank) {
            ++m_nPendingBlanks;
        } else if (Line.StartsSection()) {
            WriteNewEntry();
            m_bKeyDone = true;
            WritePendingBlanks();
            CopyLine(Line.Whole);
        } else {
            WritePendingBlanks();
            TakeSectionLine(Line);
        }
    }

    // Whatever the file lacked: the section header and the entry.
    void Finish()
    {
        if (m_szKey && m_szValue && !m_bKeyDone) {
            if (!m_bSectionFound)
                AppendLine(m_NewText, "[", m_szSection, "]");
            WriteNewEntry();
        }
        WritePendingBlanks();
    }

private:
    void TakeSectionLine(const IniLine& Line)
    {
        if (Line.nKind == IniLineKind::Comment) {
            CopyLine(Line.Whole);
        } else if (!m_szKey) {
            // The whole section is being emptied: its entries go.
        } else if (KorvidString::StringEqual(Line.szName, m_szKey, 0)) {
            m_bKeyDone = true;
            if (m_szValue)
                ReplaceLine();
        } else {
            CopyLine(Line.Whole);
        }
    }

    // A line the writer does not change is copied whole, however long.
    void CopyLine(const std::string& Text)
    {
        LogLine(Text.c_str());
        m_NewText += Text;
        m_NewText += '\n';
    }

    void ReplaceLine()
    {
        LogLine(m_szKey, "=", m_szValue);
        WriteNewEntry();
    }

    void WriteNewEntry()
    {
        if (m_szKey && m_szValue)
            AppendLine(m_NewText, m_szKey, "=", m_szValue);
    }

    void WritePendingBlanks()
    {
        for (; m_nPendingBlanks > 0; --m_nPendingBlanks)
            CopyLine("");
    }

    void LogLine(const char* szFirst, const char* szSecond = "", const char* szThird = "")
    {
        Korvid.DebugLog("FileWriteString[%s:%s]: Writing '%s%s%s' To Temp File", m_szSection, Printable(m_szKey),
                        szFirst, szSecond, szThird);
    }

    const char* m_szSection;
    const char* m_szKey;
    const char* m_szValue;
    std::string& m_NewText;
    bool m_bSectionFound = false;
    bool m_bKeyDone = false;
    int32_t m_nPendingBlanks = 0;
};

}  // namespace

bool KorvidIni::WriteProfileString(const char* szSection, const char* szKey, const char* szValue, const char* szFile)
{
    KorvidProfileScope Section("KorvidIni::WriteProfileString()");
    Korvid.DebugLog("Korvid-Config: Called As AppName='%s'  KeyName='%s'  String='%s'  INI File='%s'",
                    Printable(szSection), Printable(szKey), Printable(szValue), Printable(szFile));
    if (!szSection || !szFile)
        return false;
    if (HasLineBreak(szSection) || HasLineBreak(szKey) || HasLineBreak(szValue)) {
        Korvid.DebugLog("ERROR: ** WriteProfileString - Line Break In Section, Key Or Value Refused **");
        return false;
    }

    uint32_t hIni = Korvid.FileOpen(szFile, KOR_FILE_READ);
    if (!hIni)
        return szKey && szValue && CreateIniFile(szSection, szKey, szValue, szFile);

    if (KorvidString::StringEqual(m_szIniTempFile, szFile)) {
        Korvid.DebugLog("ERROR: ** WriteProfileString - Temp File Is The INI File '%s' **", szFile);
        Korvid.FileClose(hIni);
        return false;
    }
    std::string NewText;
    IniRewrite Rewrite(szSection, szKey, szValue, NewText);
    IniLineReader Reader(hIni);
    IniLine Line;
    while (Reader.ReadLine(Line))
        Rewrite.TakeLine(Line);
    Rewrite.Finish();
    Korvid.FileClose(hIni);
    return SaveIniText(NewText, szFile, m_szIniTempFile, m_pIniReplace);
}

bool KorvidIni::CreateIniFile(const char* szSection, const char* szKey, const char* szValue, const char* szFile)
{
    std::string NewText;
    AppendLine(NewText, "[", szSection, "]");
    AppendLine(NewText, szKey, "=", szValue);
    return SaveIniText(NewText, szFile, m_szIniTempFile, m_pIniReplace);
}

void KorvidIni::SetIniReplaceFunction(IniReplaceFunction pFunction) { m_pIniReplace = pFunction; }
