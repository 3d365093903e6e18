#pragma once
// Label stepping: the next (or previous) label of a numbered sequence of
// texts. A becomes B, 12 becomes 13, X-9 becomes X-10, ① becomes ②,
// 上 becomes 左. Labels are code page 932 bytes.

#include <array>
#include <string>
#include <string_view>

// Twelve cyclic groups of characters, searched in this order; within a group
// the last member steps up to the first and the first down to the last.
extern const std::array<std::u16string_view, 12> LabelStepGroups;

// When Ch (one UTF-16 character) belongs to a group, Ch becomes its
// successor (Up) or predecessor and the result is true; otherwise Ch stays.
bool StepCharInGroups(std::u16string& Ch, bool Up);

// The next (Up) or previous label after S: a trailing number counts up or
// down (never below 0, keeping its half- or full-width form), a trailing
// group character or Latin letter steps in its group or alphabet, and a
// label that cannot step is returned unchanged.
void StepLabel(std::string_view S, bool Up, std::string& Result);
