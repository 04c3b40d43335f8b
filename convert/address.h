#pragma once
// Recognises video page addresses of the two sites and cuts out the video id.
#include "convert/text.h"

bool IsBVideoAddress(std::string_view address);
// Only for addresses that IsBVideoAddress accepted; the id may come out empty.
Text ExtractBVideoId(std::string_view address);
bool IsXVideoAddress(std::string_view address);
// Only for addresses that IsXVideoAddress accepted; the id may come out empty.
Text ExtractXVideoId(std::string_view address);
