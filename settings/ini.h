#pragma once
// INI text: "[section]" lines followed by key=value lines. Names match without regard to ASCII
// case; the value is everything after the first "=".
#include <optional>

#include "convert/text.h"

std::optional<Text> IniLookup(std::string_view file, std::string_view section,
                              std::string_view key);
// The file with key set to value: the key replaced in place, or added at the end of its section,
// or a new section added at the end. New lines use the file's own line ending, else lineEnd.
std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view lineEnd);
