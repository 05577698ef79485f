// The printed scope report: a title, the program title, the sensor ID, the
// user's comment and the image of SCOPEP, on the printer the user picks.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kScopeCommentChars = 1023;

// The first `maxChars` characters of UTF-8 text, never splitting a character.
std::string CutToChars(const std::string& text, size_t maxChars);
// Builds the report, asks for the printer and prints; says how it went.
void PrintScopeGraph();
