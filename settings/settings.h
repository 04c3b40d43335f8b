#pragma once
// The settings file, config.ini beside the executable.
#include "convert/text.h"

// The run directory: the executable's path cut before its last separator ("\" or "/").
Text RunDirectoryOf(std::string_view executablePath);
// Fixed once at start-up; tests point it at a folder of their own.
void SetRunDirectory(std::string_view runDirectory);
Text SettingsFilePath();
// The stored value, or the empty text when the file, the section or the key is missing.
Text ReadSetting(std::string_view section, std::string_view key);
// Failures change nothing and report nothing.
void WriteSetting(std::string_view section, std::string_view key, std::string_view value);
