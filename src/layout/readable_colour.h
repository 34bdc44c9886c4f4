// Colours that stay readable on the desktop's background.
//
// With the desktop's colours the page may be dark, and the program's own
// accent colours (blue titles, green links, a red search word) were chosen
// for a white one: blue on a dark grey is barely visible. ReadableOn keeps
// a colour that already stands out from the background and otherwise moves
// it toward white (on a dark background) or black (on a light one), just
// as far as it takes to reach the contrast ratio asked for, so that the
// colour keeps its hue as far as it can.
//
// Contrast is the WCAG ratio of relative luminances, (L1 + 0.05) /
// (L2 + 0.05), from 1 (equal) to 21 (black on white); 4.5 is the least
// that body text should have.
#ifndef TOMELING_LAYOUT_READABLE_COLOUR_H_
#define TOMELING_LAYOUT_READABLE_COLOUR_H_

#include "layout/canvas.h"

inline constexpr double kReadableContrast = 4.5;

// 0 for black to 1 for white.
double RelativeLuminance(Colour colour);
double ContrastRatio(Colour a, Colour b);
// `colour`, or the nearest colour toward white or black that has at least
// `ratio` against `background`; white or black itself when even that falls
// short (a mid-grey background).
Colour ReadableOn(Colour colour, Colour background, double ratio = kReadableContrast);

#endif  // TOMELING_LAYOUT_READABLE_COLOUR_H_
