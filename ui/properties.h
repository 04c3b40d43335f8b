#pragma once
// The property rules the commands rely on, written once over the platform primitives: limits,
// "nothing happens when unchanged", the selected-character count.
#include "ui/controls.h"

inline constexpr int kMaxWindowTop = 32627;
inline constexpr int kMaxWindowHeight = 32627;

int WindowTop();
int WindowWidth();
int WindowHeight();
void SetWindowTop(int top);          // brought into -32627 ... 32627; left and size stay
void SetWindowHeightTo(int height);  // brought into 0 ... 32627
void MoveWindowIfChanged(const Rect& outer);
void MoveControlIfChanged(Control control, const Rect& place);
// Only -1 is used: select the whole text and scroll the caret into view.
void SetSelectedCharacterCount(Control control, int count);
