#include "settings/settings.h"

#include "platform/file_store.h"
#include "settings/ini.h"

namespace {

Text& RunDirectory() {
  static Text runDirectory;
  return runDirectory;
}

}  // namespace

Text RunDirectoryOf(std::string_view executablePath) {
  const size_t separator = executablePath.find_last_of("\\/");
  // Never reached with a full path; the current folder is the only sensible reading of a bare name.
  if (separator == std::string_view::npos)
    return ".";
  return Text(executablePath.substr(0, separator));
}

void SetRunDirectory(std::string_view runDirectory) {
  RunDirectory() = Text(runDirectory);
}

Text SettingsFilePath() {
  return JoinTexts({RunDirectory(), "/config.ini"});
}

Text ReadSetting(std::string_view section, std::string_view key) {
  const std::optional<std::string> file = platform::ReadWholeFile(SettingsFilePath());
  if (!file)
    return {};
  return IniLookup(*file, section, key).value_or(Text());
}

void WriteSetting(std::string_view section, std::string_view key, std::string_view value) {
  platform::RewriteFile(SettingsFilePath(), [&](std::string_view current) {
    return IniAssign(current, section, key, value, platform::kLineEnd);
  });
}
