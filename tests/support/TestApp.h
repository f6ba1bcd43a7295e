// Every test program binds the engine's three application functions to these
// hooks; a test sets the ones it needs before calling Init.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct TestAppHooks {
    std::function<void()> Config;
    std::function<bool()> Setup;
    std::function<void()> Frame;
    int nConfigCalls = 0;
    int nSetupCalls = 0;
    int nFrameCalls = 0;
};

extern TestAppHooks g_TestApp;

// Makes a fresh scratch directory, enters it and returns its path; the debug log
// and any files a test writes land there.
std::string EnterScratchDirectory();

// The lines of a text file, without their line ends (empty when it does not exist).
std::vector<std::string> ReadLines(const std::string& Path);

// The debug log's messages: each line with its "%7.3f|%-6s: " stamp removed.
std::vector<std::string> LogMessages(const std::string& Path = "debug.log");

// True when Messages holds every one of Wanted, in that order (others may lie between).
bool ContainsInOrder(const std::vector<std::string>& Messages, const std::vector<std::string>& Wanted);

// Index of the first message equal to Text, or -1.
int IndexOf(const std::vector<std::string>& Messages, const std::string& Text);

// True when the debug log holds a message equal to Line.
inline bool LogHas(const std::string& Line) { return IndexOf(LogMessages(), Line) >= 0; }
