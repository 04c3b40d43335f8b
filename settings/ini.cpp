#include "settings/ini.h"

#include <vector>

namespace {

struct Line {
  std::string content;
  std::string end;  // "\r\n", "\n", or nothing on a last line without one
};

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  size_t start = 0;
  while (start < file.size()) {
    const size_t newLine = file.find('\n', start);
    if (newLine == std::string_view::npos) {
      lines.push_back({Text(file.substr(start)), ""});
      break;
    }
    size_t contentEnd = newLine;
    if (contentEnd > start && file[contentEnd - 1] == '\r')
      --contentEnd;
    lines.push_back({Text(file.substr(start, contentEnd - start)),
                     Text(file.substr(contentEnd, newLine + 1 - contentEnd))});
    start = newLine + 1;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// ASCII letters match in either case; a double-byte character (whose second byte may look like
// an ASCII letter) must match exactly.
bool NamesMatch(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if ((static_cast<unsigned char>(a[i]) & 0x80) != 0) {
      if (a.substr(i, 2) != b.substr(i, 2))
        return false;
      ++i;
    } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
      return false;
    }
  }
  return true;
}

// The name of a "[section]" line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() != '[')
    return std::nullopt;
  const size_t close = trimmed.find(']');
  if (close == std::string_view::npos)
    return std::nullopt;
  return TrimBlanks(trimmed.substr(1, close - 1));
}

// Where a key lives in the file, or where it would be added.
struct Place {
  std::optional<size_t> keyLine;
  std::optional<size_t> sectionEnd;  // after the section's last non-blank line
};

Place Locate(const std::vector<Line>& lines, std::string_view section, std::string_view key) {
  Place place;
  bool inSection = false;
  bool inFirstSection = false;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view content = lines[i].content;
    if (const auto name = SectionName(content)) {
      inSection = NamesMatch(*name, section);
      inFirstSection = inSection && !place.sectionEnd;
      if (inFirstSection)
        place.sectionEnd = i + 1;
      continue;
    }
    if (!inSection)
      continue;
    if (inFirstSection && !TrimBlanks(content).empty())
      place.sectionEnd = i + 1;
    const size_t equals = content.find('=');
    if (equals != std::string_view::npos &&
        NamesMatch(TrimBlanks(content.substr(0, equals)), key)) {
      place.keyLine = i;
      return place;
    }
  }
  return place;
}

}  // namespace

std::optional<Text> IniLookup(std::string_view file, std::string_view section,
                              std::string_view key) {
  const std::vector<Line> lines = SplitLines(file);
  const Place place = Locate(lines, section, key);
  if (!place.keyLine)
    return std::nullopt;
  const std::string& content = lines[*place.keyLine].content;
  return content.substr(content.find('=') + 1);
}

std::string IniAssign(std::string_view file, std::string_view section, std::string_view key,
                      std::string_view value, std::string_view lineEnd) {
  std::vector<Line> lines = SplitLines(file);
  Text entry = JoinTexts({key, "=", value});
  // A line break in the value would end the line and let the rest pose as keys or sections.
  for (char& c : entry) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  const std::string end(!lines.empty() && !lines.front().end.empty() ? lines.front().end : lineEnd);

  const Place place = Locate(lines, section, key);
  if (place.keyLine) {
    std::string& content = lines[*place.keyLine].content;
    // Keep the key as the file spells it.
    content = JoinTexts({std::string_view(content).substr(0, content.find('=')),
                         std::string_view(entry).substr(key.size())});
  } else if (place.sectionEnd) {
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*place.sectionEnd), {entry, end});
  } else {
    lines.push_back({JoinTexts({"[", section, "]"}), end});
    lines.push_back({entry, end});
  }

  std::string result;
  for (size_t i = 0; i < lines.size(); ++i) {
    result.append(lines[i].content);
    const bool last = i + 1 == lines.size();
    result.append(lines[i].end.empty() && !last ? end : lines[i].end);
  }
  return result;
}
