#pragma once
// Which pre-scaled frames may draw the picture at a zoom ratio, best first. No platform headers.
#include <vector>

enum class KeyFrameKind { Full, Quadruple, Double, Fit };

// A frame's ratio is ignored when the frame is absent. The fit frame always comes last.
std::vector<KeyFrameKind> ChooseKeyFrames(float ratio, bool hasDouble, float doubleRatio,
                                          bool hasQuadruple, float quadrupleRatio);

// Pictures up to this many pixels are scaled at once on the user-interface thread.
constexpr long long kImmediatePixels = 1640960;
