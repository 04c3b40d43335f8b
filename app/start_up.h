#pragma once
// From process start to the window on screen, and from its closing to the end.
void OnMainWindowCreated();
void ReleaseSettings();
// The whole run: 0 after an orderly close, -1 when the window cannot be made.
int RunTivarel(int argc, char** argv);
