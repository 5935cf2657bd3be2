#pragma once
// Pixel arithmetic of the picture effects. No platform headers.
#include <cstdint>

// Brightness/contrast mapping of one channel value.
int BrightnessContrastValue(int value, int brightness, int contrast);

// Hue/saturation adjustment of one pixel through per-sector maps (6 x 256 each).
void AdjustHueSaturation(uint8_t& red, uint8_t& green, uint8_t& blue, const int32_t hueMap[6][256],
                         const int32_t satMap[6][256]);

// Saturation map entry of the enhance mode "saturate": x 1.2, capped at 255.
int32_t SaturateBoost(int i);
