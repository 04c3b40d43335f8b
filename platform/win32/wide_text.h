#pragma once
// The program's GB18030 texts as the wide strings of the W functions, and back.
#include <string>
#include <string_view>

#include "convert/text.h"

std::wstring WideFromText(std::string_view text);
Text TextFromWide(std::wstring_view wide);
