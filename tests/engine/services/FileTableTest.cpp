// The file table: handles, compaction on close, capacity, name preparation,
// the write modes with the write-behind buffer, and the shutdown report.
#include <sys/stat.h>

#include "ServiceTest.h"

namespace {

std::string ReadAll(uint32_t hFile)
{
    std::string Text(Korvid.FileSize(hFile), '\0');
    Korvid.FileSeek(hFile, 0, 0);
    Text.resize(Korvid.FileRead(hFile, Text.data(), (int32_t)Text.size()));
    return Text;
}

using FileTable = ServiceTest;

TEST_F(FileTable, ClosingMovesTheLastEntryAndKeepsHandlesValid)
{
    Korvid.SetTraceMask(KOR_TRACE_FILES);
    uint32_t Handles[3];
    for (int n = 0; n < 3; ++n) {
        const std::string Name = std::string(1, (char)('a' + n)) + ".txt";
        WriteFileText(Name, Name + " content");
        ASSERT_NE(Handles[n] = Korvid.FileOpen(Name.c_str(), KOR_FILE_READ), 0u);
    }
    EXPECT_EQ(Korvid.FileOpen("missing.txt", KOR_FILE_READ), 0u);
    EXPECT_EQ(Korvid.FileOpen("no/such/dir/out.txt", KOR_FILE_WRITE), 0u);
    EXPECT_EQ(Korvid.FileOpen(nullptr, KOR_FILE_READ), 0u);
    Korvid.FileClose(Handles[0]);
    EXPECT_EQ(ReadAll(Handles[1]), "b.txt content");
    EXPECT_EQ(ReadAll(Handles[2]), "c.txt content");
    EXPECT_EQ(Korvid.FilePoss(Handles[0]), -1) << "a closed handle names no file";
    uint32_t hReopened = Korvid.FileOpen("a.txt", KOR_FILE_READ);
    EXPECT_NE(hReopened, Handles[0]) << "handles are not reused";
    Korvid.FileClose(hReopened);
    Korvid.FileClose(Handles[0]);
    Korvid.FileClose(0);

    // debug.log sits in slot 0; c moved into a's slot 1, so the report meets c before b.
    // Failed opens count for nothing.
    Korvid.FileValidationReport();
    EXPECT_TRUE(ContainsInOrder(
        LogMessages(),
        {"FileOpen('a.txt')", "FileOpen('b.txt')", "FileOpen('c.txt')", "ERROR: ** FileOpen(missing.txt) Failed **",
         "ERROR: ** FileOpen(no/such/dir/out.txt) Failed **", "ERROR: ** File name is NULL **", "FileClose('a.txt')",
         "ERROR: ** FileClose(" + std::to_string(Handles[0]) + ") - Not found in List **",
         "ERROR: ** FileClose(0) - invalid handle **", "File Open Validation",
         "Total Number of Files Opened: 4 (Peak 3)", "NOTE: 2 File(s) Left Open...", "Closing File 'c.txt'",
         "FileClose('c.txt')", "Closing File 'b.txt'", "All Files are now Closed"}));
    EXPECT_FALSE(LogHas("FileOpen('debug.log')")) << "the log's own file is not traced";
    EXPECT_EQ(Korvid.PeakOpenFiles(), 3);
    Korvid.DebugLog("still logging");   // its file was not closed by the report
    EXPECT_EQ(LogMessages().back(), "still logging");
}

TEST_F(FileTable, TheThousandAndFirstOpenFails)
{
    Korvid.SetMaxFiles(2000);   // the log's open made the default table already
    EXPECT_EQ(LogMessages().back(), "WARNING: ** SetMaxFiles() - May be called Only Once **");
    WriteFileText("same.txt", "x");
    Korvid.SetFileCacheSize(0);
    std::vector<uint32_t> Handles;
    for (int n = 1; n < 1000; ++n) {   // debug.log holds the first entry
        Handles.push_back(Korvid.FileOpen("same.txt", KOR_FILE_READ));
        ASSERT_NE(Handles.back(), 0u) << "open " << n;
    }
    EXPECT_EQ(Korvid.FileOpen("same.txt", KOR_FILE_READ), 0u);
    EXPECT_TRUE(ContainsInOrder(LogMessages(), {"ERROR: ** No Free File Objects (Files Used=1000) **",
                                                "ERROR: ** Korvid Fopen List Full!! **"}));
    Korvid.FileClose(Handles[500]);
    EXPECT_NE(Korvid.FileOpen("same.txt", KOR_FILE_READ), 0u) << "a closed entry is free again";
}

// The file table is made (with a warning no log can hold yet) by the log's own
// file; the memory table by the first block, which the log can report.
TEST(FileTableThread, TheLogAndMemoryStartBeforeTheMainThreadIsPrepared)
{
    EnterScratchDirectory();
    Korvid.StartLog();
    void* pBlock = Korvid.AllocMemory(16);
    EXPECT_NE(pBlock, nullptr);
    Korvid.FreeMemory(pBlock);
    EXPECT_TRUE(LogHas("WARNING: ** SetMaxMallocs() - Called from non-Korvid Thread **"));
}

TEST_F(FileTable, NamesTakeTheDirectoryTheirFlagsChooseUpTo255Characters)
{
    for (const char* szDir : {"rd", "wd", "rd/sub"})
        ASSERT_EQ(mkdir(szDir, 0700), 0);
    EXPECT_EQ(Korvid.GetReadDir(), nullptr);
    Korvid.SetReadDir("rd/");
    Korvid.SetWriteDir("wd/");
    Korvid.SetReadDir(std::string(256, 'r').c_str());   // too long: ignored
    EXPECT_STREQ(Korvid.GetReadDir(), "rd/");
    EXPECT_STREQ(Korvid.GetWriteDir(), "wd/");
    WriteFileText("rd/sub/in.txt", "read side");
    WriteFileText("wd/sub.txt", "write side");
    const std::pair<const char*, uint8_t> Found[] = {
        {"sub\\in.txt", KOR_FILE_READ}, {"sub/in.txt", KOR_FILE_WRITE},   {"sub.txt", KOR_FILE_UPDATE},
        {"sub.txt", KOR_FILE_APPEND},   {"sub.txt", KOR_FILE_UNBUFFERED}, {"sub.txt", KOR_FILE_USER}};
    for (const auto& [szName, nFlags] : Found)
        EXPECT_TRUE(Korvid.FileExists(szName, nFlags)) << szName << " " << (int)nFlags;
    EXPECT_FALSE(Korvid.FileExists("sub/in.txt", KOR_FILE_USER));
    EXPECT_FALSE(Korvid.FileExists("sub.txt", KOR_FILE_READ));
    uint32_t hUser = Korvid.FileOpen("made.txt", KOR_FILE_USER | KOR_FILE_WRITE);
    Korvid.FilePrintf(hUser, "%s %d", "user file", 21);
    Korvid.FileClose(hUser);
    EXPECT_EQ(ReadFileText("wd/made.txt"), "user file 21");
    EXPECT_EQ(ReadAll(Korvid.FileOpen("sub\\in.txt", KOR_FILE_READ)), "read side");

    const std::string Longest(255, 'n'), TooLong(256, 'n');
    Korvid.SetReadDir(nullptr);
    EXPECT_NE(Korvid.FileOpen(Longest.c_str(), KOR_FILE_WRITE), 0u) << "255 characters fit";
    EXPECT_EQ(Korvid.FileOpen(TooLong.c_str(), KOR_FILE_WRITE), 0u);
    EXPECT_FALSE(Korvid.FileExists(TooLong.c_str()));
    EXPECT_EQ(Korvid.FileOpen(Longest.c_str(), KOR_FILE_USER), 0u) << "the directory counts";
    EXPECT_EQ(LogCount({"longer than 255 characters - refused **"}), 3);
}

TEST_F(FileTable, WriteBehindGathersSmallWritesAndOtherModesWriteAtOnce)
{
    uint32_t hFile = Korvid.FileOpen("behind.bin", KOR_FILE_WRITE);
    const std::string Block(1000, 'a');
    EXPECT_EQ(Korvid.FileWrite(hFile, Block.data(), 1000), 1000);
    EXPECT_EQ(ReadFileText("behind.bin"), "") << "1000 bytes wait in the buffer";
    EXPECT_EQ(Korvid.FileWrite(hFile, "0123456789abcdefghijklmn", 24), 24);   // 1000 + 24 is not below 1024
    EXPECT_EQ(ReadFileText("behind.bin"), Block + "0123456789abcdefghijklmn");
    EXPECT_EQ(Korvid.FilePoss(hFile), 1024);
    Korvid.FileWriteByte(hFile, 'z');
    Korvid.FileSeek(hFile, 1, 0);   // writes the waiting byte before moving
    EXPECT_EQ(ReadFileText("behind.bin").size(), 1025u);
    Korvid.FileWrite(hFile, "XY", 2);
    Korvid.FileClose(hFile);
    EXPECT_EQ(ReadFileText("behind.bin"), "aXY" + std::string(997, 'a') + "0123456789abcdefghijklmnz");

    for (uint8_t nFlags : {uint8_t(KOR_FILE_USER | KOR_FILE_WRITE), uint8_t(KOR_FILE_UNBUFFERED)}) {
        uint32_t hDirect = Korvid.FileOpen("direct.bin", nFlags);
        Korvid.FileWrite(hDirect, "abc", 3);
        EXPECT_EQ(ReadFileText("direct.bin"), "abc") << "flags " << (int)nFlags;
        Korvid.FileClose(hDirect);
    }
    WriteFileText("update.txt", "abcdefgh");
    hFile = Korvid.FileOpen("update.txt", KOR_FILE_UPDATE);
    EXPECT_EQ(Korvid.FileReadByte(hFile), 'a');   // fills the window with all 8 bytes
    Korvid.FileWrite(hFile, "XY", 2);             // where the caller stands, not the window
    EXPECT_EQ(Korvid.FileReadByte(hFile), 'd');
    Korvid.FileClose(hFile);
    hFile = Korvid.FileOpen("update.txt", KOR_FILE_APPEND);
    Korvid.FileWrite(hFile, "!", 1);
    Korvid.FileClose(hFile);
    EXPECT_EQ(ReadFileText("update.txt"), "aXYdefgh!");
    Korvid.SetFileCacheSize(0);   // no cache, no write-behind
    Korvid.FileWrite(Korvid.FileOpen("plain.bin", KOR_FILE_WRITE), "de", 2);
    EXPECT_EQ(ReadFileText("plain.bin"), "de");
}

TEST_F(FileTable, RefusedWritesAndReadsOfWriteFiles)
{
    WriteFileText("ro.txt", "ro");
    uint32_t hRead = Korvid.FileOpen("ro.txt", KOR_FILE_READ), hWrite = Korvid.FileOpen("wo.txt", KOR_FILE_WRITE);
    EXPECT_EQ(Korvid.FileWrite(hRead, "x", 1), 0);
    EXPECT_EQ(Korvid.FileWrite(hWrite, nullptr, 1), 0);
    EXPECT_EQ(Korvid.FileWrite(hWrite, "x", 0), 0);
    EXPECT_EQ(Korvid.FileWrite(hWrite + hRead + 7, "x", 1), 0);
    Korvid.FileWrite(hWrite, "kept", 4);
    uint8_t Byte = 0;
    EXPECT_EQ(Korvid.FileRead(hWrite, &Byte, 1), 0);
    Korvid.FileClose(hWrite);
    EXPECT_EQ(ReadFileText("wo.txt"), "kept") << "reading a write file loses no waiting bytes";
    EXPECT_EQ(ReadFileText("ro.txt"), "ro");
}

}  // namespace
