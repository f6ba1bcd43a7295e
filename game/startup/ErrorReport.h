// The game's error reporter: an error number becomes a German message in the log.
#pragma once
#include <cstdint>
#include <string>

// The message of an error number, with the support sentence where it belongs.
std::string GameErrorText(int32_t nError);
// Logs the message of the number; always 1. The caller decides what fails.
int32_t GameReportError(int32_t nError);
