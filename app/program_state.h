#pragma once
#include "convert/text.h"

// Shared by the commands for the whole run.
struct ProgramStateRecord {
  bool recollapseOnClose = false;  // the snippet view expanded the window and collapses it on close
  bool composeOnly = false;        // the open commands run for a snippet: no link, no browser
  Text savedBUrl;                  // the settings as read at start
  Text savedBPart;
  Text savedXUrl;
  Text savedPartSwitch;
};

extern ProgramStateRecord ProgramState;
