#pragma once
#include "convert/text.h"

// Each ASCII byte other than A-Z a-z 0-9 - . _ ~ becomes %XX (upper-case hex); bytes 0x80 and
// above are kept, and so is the second byte of a GB18030 character even where it looks like
// ASCII, so GB18030 text stays as typed.
Text PercentEncode(std::string_view text);
