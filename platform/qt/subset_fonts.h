#pragma once
// The program's own texts in a cut of the installed CJK face, made at build time: captions and
// labels are drawn from it with the same outlines, hints and metrics, without mapping the whole
// face's files or parsing their glyph tables. Other characters fall back to the installed face.
namespace platform::qt {

inline constexpr char kSubsetFamily[] = "Tivarel CJK Subset";

// Adds the cut faces to the application's fonts; nothing when the build has none.
void AddSubsetFonts();

}  // namespace platform::qt
