#pragma once
// Player links, search links and embed snippets. Every text inserted into a link is
// percent-encoded (see percent_encoding.h), so ordinary ids come out unchanged.
#include <optional>

#include "convert/text.h"

// A part number of nullopt means the part switch is off; an empty one means it is on with an
// empty part box.
using PartNumber = std::optional<std::string_view>;

Text ComposeBPlayerLink(std::string_view id, PartNumber part);
Text ComposeXPlayerLink(std::string_view id);
Text ComposeBSearchLink(std::string_view keyword);
Text ComposeXSearchLink(std::string_view keyword);
Text ComposeBEmbedSnippet(std::string_view head, std::string_view id, PartNumber part,
                          std::string_view tail);
Text ComposeXEmbedSnippet(std::string_view head, std::string_view id, std::string_view tail);
