#pragma once
#include "convert/text.h"

// Each ASCII byte other than A-Z a-z 0-9 - . _ ~ becomes %XX (upper-case hex); bytes 0x80 and
// above are kept, so GB18030 text stays as typed.
Text PercentEncode(std::string_view text);
