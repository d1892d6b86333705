// Embedded colour profiles, converted to sRGB through Little CMS.
#include "imagelib/colour_profile.h"

#include <lcms2.h>

#include <algorithm>
#include <cstring>

namespace imagelib {
namespace {

void IgnoreError(cmsContext, cmsUInt32Number, const char*) {}

// The library never prints: lcms would report a refused profile on its own.
void SilenceLcms() {
    static const bool silenced = [] {
        cmsSetLogErrorHandler(IgnoreError);
        return true;
    }();
    (void)silenced;
}

class Profile {
public:
    explicit Profile(cmsHPROFILE p) : p_(p) {}
    ~Profile() {
        if (p_) cmsCloseProfile(p_);
    }
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;
    cmsHPROFILE get() const { return p_; }

private:
    cmsHPROFILE p_;
};

// The fixed header and the tag count.
constexpr std::uint32_t kIccHeaderBytes = 132;
constexpr char kJpegSignature[] = "ICC_PROFILE";  // with the literal's own zero, 12 bytes
constexpr std::size_t kJpegChunkHeader = sizeof kJpegSignature + 2;

}  // namespace

void ConvertToSrgb(ByteSpan profile, Dib& dib, std::uint32_t decodedRows) {
    if (profile.empty() || profile.size() > kMaxProfileBytes || dib.BitsPerPixel() != 24) return;
    // lcms trusts a size field larger than the data; a profile claiming more than it holds
    // has lost its end.
    ByteReader header(profile);
    std::uint32_t declared = 0;
    if (!header.ReadBE32(declared) || declared < kIccHeaderBytes || declared > profile.size()) return;
    SilenceLcms();
    const Profile in(cmsOpenProfileFromMem(profile.data(), declared));
    if (!in.get() || cmsGetColorSpace(in.get()) != cmsSigRgbData) return;
    const Profile srgb(cmsCreate_sRGBProfile());
    if (!srgb.get()) return;
    cmsHTRANSFORM transform =
        cmsCreateTransform(in.get(), TYPE_BGR_8, srgb.get(), TYPE_BGR_8, INTENT_PERCEPTUAL, 0);
    if (!transform) return;
    for (std::uint32_t y = 0; y < std::min(decodedRows, dib.Height()); ++y) {
        std::uint8_t* row = dib.RowFromTop(y);
        cmsDoTransform(transform, row, row, dib.Width());
    }
    cmsDeleteTransform(transform);
}

std::vector<std::uint8_t> JoinJpegProfile(const std::vector<ByteSpan>& app2Bodies) {
    std::vector<ByteSpan> chunks;
    std::size_t count = 0, total = 0;
    for (const ByteSpan body : app2Bodies) {
        if (body.size() < kJpegChunkHeader || std::memcmp(body.data(), kJpegSignature, sizeof kJpegSignature) != 0)
            continue;
        const std::size_t sequence = body[sizeof kJpegSignature], declared = body[sizeof kJpegSignature + 1];
        if (declared == 0 || (count != 0 && declared != count)) return {};
        if (count == 0) {
            count = declared;
            chunks.assign(count, ByteSpan());
        }
        if (sequence == 0 || sequence > count || chunks[sequence - 1].data()) return {};
        chunks[sequence - 1] = body.subspan(kJpegChunkHeader);
        total += chunks[sequence - 1].size();
        if (total > kMaxProfileBytes) return {};
    }
    std::vector<std::uint8_t> profile;
    profile.reserve(total);
    for (const ByteSpan chunk : chunks) {
        if (!chunk.data()) return {};
        profile.insert(profile.end(), chunk.begin(), chunk.end());
    }
    return profile;
}

}  // namespace imagelib
