// See readable_colour.h.
#include "layout/readable_colour.h"

#include <cmath>
#include <utility>

namespace {

double Linear(int channel) {
  double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int Red(Colour c) { return static_cast<int>(c & 0xFF); }
int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// `t` of the way from `from` to `to`, channel by channel.
Colour Mix(Colour from, Colour to, double t) {
  auto channel = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return MakeColour(channel(Red(from), Red(to)), channel(Green(from), Green(to)), channel(Blue(from), Blue(to)));
}

}  // namespace

double RelativeLuminance(Colour colour) {
  return 0.2126 * Linear(Red(colour)) + 0.7152 * Linear(Green(colour)) + 0.0722 * Linear(Blue(colour));
}

double ContrastRatio(Colour a, Colour b) {
  double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  if (la < lb) std::swap(la, lb);
  return (la + 0.05) / (lb + 0.05);
}

Colour ReadableOn(Colour colour, Colour background, double ratio) {
  if (ContrastRatio(colour, background) >= ratio) return colour;
  const Colour white = MakeColour(255, 255, 255), black = MakeColour(0, 0, 0);
  // Toward the end that stands out more from this background.
  const Colour target = ContrastRatio(white, background) >= ContrastRatio(black, background) ? white : black;
  if (ContrastRatio(target, background) < ratio) return target;
  // Contrast grows with the share of the target: the least share that
  // reaches the ratio, to within a step the eye cannot see.
  double low = 0, high = 1;
  for (int step = 0; step < 16; ++step) {
    double mid = (low + high) / 2;
    if (ContrastRatio(Mix(colour, target, mid), background) >= ratio) high = mid;
    else low = mid;
  }
  return Mix(colour, target, high);
}
