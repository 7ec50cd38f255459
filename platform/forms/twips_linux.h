#pragma once
// Twips and pixels: 1/1440 inch against 96 dots per inch.

namespace forms {

constexpr int twips_per_pixel = 15;

/// Pixels for a twip length, rounded to the nearest pixel.
constexpr int to_pixels(int twips)
{
    return twips >= 0 ? (twips + twips_per_pixel / 2) / twips_per_pixel
                      : -((-twips + twips_per_pixel / 2) / twips_per_pixel);
}

constexpr int to_twips(int pixels) { return pixels * twips_per_pixel; }

} // namespace forms
