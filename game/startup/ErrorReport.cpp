// Error numbers and their texts (ISO-8859-1 bytes).
#include "ErrorReport.h"

#include "korvid.h"

namespace {

constexpr int32_t ERROR_SERVER = 111;

// The text of each range of numbers, first match wins.
struct ErrorRange {
    int32_t nLow, nHigh;
    const char* szText;
};
constexpr ErrorRange ERROR_RANGES[] = {
    {0, 0, "Kann leider das Level nicht laden!"},
    {1, 1, "COM konnte nicht initialisiert werden!"},
    {10, 11, "Das Hauptprogrammfenster konnte nicht erstellt werden!"},
    {2, 99, "Ein allgemeiner Programmfehler ist aufgetreten!"},
    {ERROR_SERVER, ERROR_SERVER,
     "Die Verbindung zum Server konnte nicht hergestellt werden.\n\nBitte \xfc"
     "berpr\xfc"
     "fen Sie Ihre Angaben und versuchen Sie es erneut!"},
    {100, 199, "DirectPlay konnte nicht initialisiert werden!"},
    {200, 299, "DirectInput konnte nicht initialisiert werden!"},
    {300, 399, "DirectShow konnte nicht initialisiert werden!"},
    {400, 599, "DirectGraphics konnte nicht initialisiert werden!"},
    {600, 699, "DirectSound konnte nicht initialisiert werden!"},
};
constexpr const char* UNKNOWN_ERROR = "Ein unbekannter Fehler ist aufgetreten!";
constexpr const char* SUPPORT_SENTENCE =
    " [] Bitte setzen Sie sich mit dem Support in Verbindung und melden Sie die Fehlernummer (siehe oben).";

}  // namespace

std::string GameErrorText(int32_t nError)
{
    // Negative numbers are not in use; they count as unknown like those above 699.
    const char* szText = UNKNOWN_ERROR;
    for (const ErrorRange& Range : ERROR_RANGES)
        if (nError >= Range.nLow && nError <= Range.nHigh) {
            szText = Range.szText;
            break;
        }
    std::string Text = szText;
    if (nError != ERROR_SERVER)
        Text += SUPPORT_SENTENCE;
    return Text;
}

int32_t GameReportError(int32_t nError)
{
    std::string Text = GameErrorText(nError);
    Korvid.DebugLog("** ERROR ** Tamborel: Reported Error %d [%s]", nError, Text.c_str());
    return 1;
}
