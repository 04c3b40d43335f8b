#pragma once
// Texts are byte strings in the program's code page, GB18030. Lengths, positions and counts are in
// bytes; positions are 1-based; a search that finds nothing gives -1. The empty text stands for an
// absent one too.
#include <initializer_list>
#include <string>
#include <string_view>

using Text = std::string;

long TextLength(std::string_view t);
Text TextLeft(std::string_view t, long n);
Text TextRight(std::string_view t, long n);
Text TextMiddle(std::string_view t, long start, long n);
// Steps over double-byte characters: a failed candidate whose byte has the high bit set is skipped
// together with the byte after it.
long FindText(std::string_view searched, std::string_view sought, long start = 1);
bool TextEquals(std::string_view a, std::string_view b);
Text JoinTexts(std::initializer_list<std::string_view> parts);
