#pragma once
// What the two definition-file readers share: the loading of a definition
// text file, the report of one that cannot be read, trimming, numbers that
// never throw, and the justification digit of the files.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/sjis_text.h"

// The whole file at once (at most 16 MiB), its lines split at CR, LF or CRLF
// as they are walked, their bytes kept; the path is code page 932 text.
// False, lines emptied, when the file cannot be read (missing, a folder, no
// permission, too large).
bool ReadDefinitionLines(std::string_view cp932Path, TextLines& Lines);
// The same, reporting an unreadable file through the tool-message hook.
bool LoadDefinitionLines(std::string_view cp932Path, TextLines& Lines);
// The warning naming a file that cannot be read.
void ReportUnreadableDefinitionFile(std::string_view cp932Path);

// Spaces and control characters removed at both ends.
std::string_view TrimDefinitionText(std::string_view S);

// The number of a token, or Default when it is none (NaN and infinities are
// none).
double DefinitionNumber(std::string_view S, double Default);
std::int32_t DefinitionInteger(std::string_view S, std::int32_t Default);
bool IsDefinitionInteger(std::string_view S);

// A justification digit of the files, counted row by row from the bottom (0
// bottom left .. 8 top right), as the generator's justification code; any
// other digit gives 0.
std::uint8_t DefinitionJustifyCode(std::uint8_t Digit);
