#include "key_frame_choice.h"

std::vector<KeyFrameKind> ChooseKeyFrames(float ratio, bool hasDouble, float doubleRatio,
                                          bool hasQuadruple, float quadrupleRatio) {
    std::vector<KeyFrameKind> out;
    if (hasQuadruple) {
        if (ratio > quadrupleRatio) {
            out = {KeyFrameKind::Full, KeyFrameKind::Quadruple};
        } else if (hasDouble && ratio > doubleRatio) {
            out = {KeyFrameKind::Quadruple};
        } else if (hasDouble) {
            out = {KeyFrameKind::Double};
        } else {
            out = {KeyFrameKind::Quadruple};
        }
    } else if (hasDouble) {
        if (ratio > doubleRatio)
            out = {KeyFrameKind::Full, KeyFrameKind::Double};
        else
            out = {KeyFrameKind::Double};
    } else {
        out = {KeyFrameKind::Full};
    }
    out.push_back(KeyFrameKind::Fit);
    return out;
}
