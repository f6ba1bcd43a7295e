// The error reporter's texts by number, byte for byte (ISO-8859-1).
#include <gtest/gtest.h>

#include "ErrorReport.h"
#include "korvid.h"
#include "support/TestApp.h"

namespace {

const std::string SUPPORT =
    " [] Bitte setzen Sie sich mit dem Support in Verbindung und melden Sie die Fehlernummer (siehe oben).";

TEST(GameErrorReport, EveryRangeHasItsText)
{
    struct Case {
        int32_t nError;
        std::string Text;
    };
    const std::string General = "Ein allgemeiner Programmfehler ist aufgetreten!";
    const std::string Graphics = "DirectGraphics konnte nicht initialisiert werden!";
    for (const Case& Each : std::vector<Case>{
             {0, "Kann leider das Level nicht laden!"},
             {1, "COM konnte nicht initialisiert werden!"},
             {2, General},
             {9, General},
             {10, "Das Hauptprogrammfenster konnte nicht erstellt werden!"},
             {11, "Das Hauptprogrammfenster konnte nicht erstellt werden!"},
             {12, General},
             {99, General},
             {100, "DirectPlay konnte nicht initialisiert werden!"},
             {112, "DirectPlay konnte nicht initialisiert werden!"},
             {299, "DirectInput konnte nicht initialisiert werden!"},
             {300, "DirectShow konnte nicht initialisiert werden!"},
             {400, Graphics},
             {444, Graphics},
             {599, Graphics},
             {600, "DirectSound konnte nicht initialisiert werden!"},
             {700, "Ein unbekannter Fehler ist aufgetreten!"},
             {-3, "Ein unbekannter Fehler ist aufgetreten!"}})
        EXPECT_EQ(GameErrorText(Each.nError), Each.Text + SUPPORT) << Each.nError;
}

TEST(GameErrorReport, TheServerMessageHasUmlautsAndNoSupportSentence)
{
    std::string Text = GameErrorText(111);
    EXPECT_EQ(Text, "Die Verbindung zum Server konnte nicht hergestellt werden.\n\nBitte \xFC"
                    "berpr\xFC"
                    "fen Sie Ihre Angaben und versuchen Sie es erneut!");
    EXPECT_EQ(Text.find("\xC3"), std::string::npos);   // single bytes, not UTF-8
    EXPECT_EQ(Text.find(SUPPORT), std::string::npos);
}

TEST(GameErrorReport, ReportingLogsTheNumberAndText)
{
    EnterScratchDirectory();
    Korvid.StartLog();
    EXPECT_EQ(GameReportError(436), 1);
    EXPECT_NE(IndexOf(LogMessages(), "** ERROR ** Tamborel: Reported Error 436 [" +
                                         std::string("DirectGraphics konnte nicht initialisiert werden!") + SUPPORT +
                                         "]"),
              -1);
}

}  // namespace
