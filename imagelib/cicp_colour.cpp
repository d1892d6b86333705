// H.273 colour descriptions turned into an ICC profile for the one sRGB conversion.
#include "imagelib/cicp_colour.h"

#include "imagelib/colour_profile.h"

#include <lcms2.h>

#include <optional>
#include <vector>

namespace imagelib {
namespace {

constexpr int kPrimariesBt709 = 1, kPrimariesUnspecified = 2;

// Parameters of lcms's parametric curve type 4, Y = (aX + b)^g above d, cX below.
struct Curve {
    cmsFloat64Number params[5];
};

std::optional<Curve> TransferCurve(int transfer) {
    switch (transfer) {
    case 2:   // unspecified: taken as sRGB, like pictures without any profile
    case 13:  // sRGB
        return Curve{{2.4, 1 / 1.055, 0.055 / 1.055, 1 / 12.92, 0.04045}};
    case 1:  // BT.709 and its later equivalents
    case 6:
    case 14:
    case 15: return Curve{{1 / 0.45, 1 / 1.099, 0.099 / 1.099, 1 / 4.5, 0.081}};
    case 4: return Curve{{2.2, 1, 0, 0, 0}};
    case 5: return Curve{{2.8, 1, 0, 0, 0}};
    case 8: return Curve{{1, 1, 0, 0, 0}};
    default: return std::nullopt;
    }
}

bool Plausible(const float xy[8]) {
    for (int i = 0; i < 8; ++i)
        if (!(xy[i] > 0.0f && xy[i] < 1.0f)) return false;
    return true;
}

std::vector<std::uint8_t> BuildProfile(const CicpColour& colour, const Curve& curve) {
    const float* v = colour.xy;
    const cmsCIExyY white{v[6], v[7], 1.0};
    const cmsCIExyYTRIPLE primaries{{v[0], v[1], 1.0}, {v[2], v[3], 1.0}, {v[4], v[5], 1.0}};
    cmsToneCurve* tone = cmsBuildParametricToneCurve(nullptr, 4, curve.params);
    if (!tone) return {};
    cmsToneCurve* curves[3] = {tone, tone, tone};
    cmsHPROFILE profile = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsFreeToneCurve(tone);
    if (!profile) return {};
    std::vector<std::uint8_t> bytes;
    cmsUInt32Number size = 0;
    if (cmsSaveProfileToMem(profile, nullptr, &size) && size > 0) {
        bytes.resize(size);
        if (!cmsSaveProfileToMem(profile, bytes.data(), &size)) bytes.clear();
    }
    cmsCloseProfile(profile);
    return bytes;
}

}  // namespace

void ConvertCicpToSrgb(const CicpColour& colour, Dib& dib) {
    if (colour.primaries == kPrimariesBt709 || colour.primaries == kPrimariesUnspecified || colour.primaries == 0)
        return;
    const std::optional<Curve> curve = TransferCurve(colour.transfer);
    if (!curve || !Plausible(colour.xy)) return;
    const std::vector<std::uint8_t> profile = BuildProfile(colour, *curve);
    ConvertToSrgb(ByteSpan(profile.data(), profile.size()), dib);
}

}  // namespace imagelib
