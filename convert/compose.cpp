#include "convert/compose.h"

#include "convert/percent_encoding.h"
#include "convert/sites.h"

namespace {

// The B player link up to its tail: the id, then the part when the part switch is on.
Text BPlayerLinkBody(std::string_view id, PartNumber part) {
  if (!part)
    return JoinTexts({BPlayerLinkPrefix, PercentEncode(id)});
  return JoinTexts({BPlayerLinkPrefix, PercentEncode(id), BPartParameter, PercentEncode(*part)});
}

}  // namespace

Text ComposeBPlayerLink(std::string_view id, PartNumber part) {
  return JoinTexts({BPlayerLinkBody(id, part), BBrowserTail});
}

Text ComposeXPlayerLink(std::string_view id) {
  return JoinTexts({XPlayerLinkPrefix, PercentEncode(id), XBrowserTail});
}

Text ComposeBSearchLink(std::string_view keyword) {
  return JoinTexts({BSearchLinkPrefix, PercentEncode(keyword)});
}

Text ComposeXSearchLink(std::string_view keyword) {
  return JoinTexts({XSearchLinkPrefix, PercentEncode(keyword)});
}

Text ComposeBEmbedSnippet(std::string_view head, std::string_view id, PartNumber part,
                          std::string_view tail) {
  return JoinTexts({head, BPlayerLinkBody(id, part), BSnippetTail, tail});
}

Text ComposeXEmbedSnippet(std::string_view head, std::string_view id, std::string_view tail) {
  return JoinTexts({head, XPlayerLinkPrefix, PercentEncode(id), tail});
}
