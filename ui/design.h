#pragma once
// MainWindow's design as data: every platform builds its window from this one table.
#include <optional>
#include <span>
#include <string_view>

#include "ui/controls.h"

enum class ControlKind { Button, EditBox, Label, CheckBox };

enum class EditBorder {
  None,
  StaticEdge,            // thin sunken edge
  ClientEdge,            // sunken edge
  ClientEdgeModalFrame,  // sunken edge inside a raised frame
};

enum class Alignment { Left, Centre };

struct FontDesign {
  int pixelHeight = 0;  // character height without internal leading; 0: the default GUI font
  int weight = 400;
};

using Command = void (*)();

struct ControlDesign {
  Control id;
  ControlKind kind;
  Rect place;             // in client-area pixels
  std::string_view text;  // GB18030
  FontDesign font;
  Rgb textColour;
  std::optional<Rgb> background;  // nullopt: the system's button face
  Alignment alignment;
  EditBorder border;
  bool multiLine;   // wraps at the box's width, scrolls vertically, no scroll bars, Enter breaks
  int maxLength;    // bytes; 0: no limit
  bool digitsOnly;  // typed keys other than 0-9, "-" and control keys are dropped
  bool visible;
  bool enabled;
  Command onClick;  // nullptr: no command
};

struct WindowDesign {
  std::string_view caption;
  Size outerSize;                           // frame and title bar included
  std::span<const ControlDesign> controls;  // front-most first
};

const WindowDesign& MainWindowDesign();
const ControlDesign& DesignOf(Control control);
