#pragma once
// Picture type from the file name, and the EXIF orientation rules. No platform headers.
#include <string>

// 0 unknown, 1 bmp, 2 jpeg, 3 gif, 4 tiff, 5 png, 6 ico, 7 psd, 8 tga, 9 oxo, 10 camera raw,
// 11 other formats, 12 wmf, 13 emf, 14 jng, 15 j2c.
int GetImageType(const std::wstring& path);

// Transform options, bit-compatible with the imaging component's flip-rotator.
enum TransformOption {
    kTransformNone = 0,
    kTransformRotate90 = 1,
    kTransformRotate180 = 2,
    kTransformRotate270 = 3,
    kTransformFlipHorizontal = 8,
    kTransformFlipVertical = 16,
};

// EXIF orientation (1-8) to the transform that shows the picture upright.
int OrientationTransform(int orientation);
inline bool TransformSwapsAxes(int option) { return (option & 1) != 0; }
// A quarter turn of the stored orientation.
int RotateOrientation(int orientation, bool clockwise);
