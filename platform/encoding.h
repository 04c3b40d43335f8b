#pragma once
// Conversions at a platform's edge between the program's GB18030 texts and the encodings of
// toolkits and system calls. Nothing is dropped: each byte that does not form a character becomes
// U+FFFD (from GB18030; a well-formed but unassigned sequence becomes one U+FFFD), and each
// malformed UTF-8 byte or lone UTF-16 surrogate becomes the GB18030 encoding of U+FFFD (bytes
// 84 31 A4 37).
#include <string>
#include <string_view>

#include "convert/text.h"

std::string Utf8FromText(std::string_view text);
Text TextFromUtf8(std::string_view utf8);
std::u16string Utf16FromText(std::string_view text);
Text TextFromUtf16(std::u16string_view utf16);
