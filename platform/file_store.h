#pragma once
// Whole-file access for the settings store. Paths are in the file-name encoding that
// platform::ExecutablePath gives.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The line ending of new files: CR LF on Windows, LF elsewhere.
extern const std::string_view kLineEnd;

// The file's bytes, or nullopt when it cannot be read (missing included).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Under a lock that serialises writers of this path across processes: reads the file (empty when
// missing), writes rewrite(old) to a temporary file beside it, flushes it, and renames it over the
// file. A reader sees the old file or the new one, never part of one. False on any failure, with
// the file left as it was.
bool RewriteFile(const std::string& path,
                 const std::function<std::string(std::string_view current)>& rewrite);

}  // namespace platform
