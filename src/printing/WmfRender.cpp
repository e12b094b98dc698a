#include "WmfRender.h"

#include <libwmf/api.h>
#include <libwmf/gd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tagwright::printing::wmf {

namespace {

constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7u;
constexpr std::size_t PlaceableHeaderSize = 22;
constexpr std::size_t StandardHeaderSize = 18;
constexpr double DisplayDpi = 96;
// A logo is shown in a 37 pixel box; a larger rendering only costs memory.
constexpr double MaxRenderedSide = 2048;

std::uint16_t word(const unsigned char* p)
{
    return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t dword(const unsigned char* p)
{
    return std::uint32_t(word(p)) | std::uint32_t(word(p + 2)) << 16;
}

struct Frame {
    double left = 0, top = 0, right = 0, bottom = 0;
    double unitsPerInch = 0;
};

// Walks the header and every record so that the player only ever sees a whole file ending
// in its end-of-file record.
bool checkStructure(const unsigned char* data, std::size_t size, Frame& frame, bool& placeable)
{
    std::size_t pos = 0;
    placeable = size >= PlaceableHeaderSize && dword(data) == PlaceableKey;
    if (placeable) {
        frame.left = std::int16_t(word(data + 6));
        frame.top = std::int16_t(word(data + 8));
        frame.right = std::int16_t(word(data + 10));
        frame.bottom = std::int16_t(word(data + 12));
        frame.unitsPerInch = word(data + 14);
        if (frame.unitsPerInch <= 0 || frame.right == frame.left || frame.bottom == frame.top)
            return false;
        pos = PlaceableHeaderSize;
    }
    if (size < pos + StandardHeaderSize)
        return false;
    const std::uint16_t fileType = word(data + pos);
    const std::uint16_t headerWords = word(data + pos + 2);
    if ((fileType != 1 && fileType != 2) || headerWords != 9)
        return false;
    pos += StandardHeaderSize;
    while (pos + 6 <= size) {
        const std::uint64_t recordBytes = std::uint64_t(dword(data + pos)) * 2;
        const std::uint16_t function = word(data + pos + 4);
        if (recordBytes < 6 || pos + recordBytes > size)
            return false;
        if (function == 0)
            return true;
        pos += std::size_t(recordBytes);
    }
    return false;
}

int collect(void* context, char* buffer, int length)
{
    auto* png = static_cast<std::vector<unsigned char>*>(context);
    png->insert(png->end(), buffer, buffer + length);
    return length;
}

}  // namespace

bool renderToPng(const unsigned char* data, std::size_t size, std::vector<unsigned char>& png)
{
    png.clear();
    Frame frame;
    bool placeable = false;
    if (data == nullptr || !checkStructure(data, size, frame, placeable))
        return false;

    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_gd_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR
        | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None) {
        if (api)
            wmf_api_destroy(api);
        return false;
    }
    bool ok = false;
    std::vector<unsigned char> copy(data, data + size);  // the player wants a writable buffer
    wmf_gd_t* gd = WMF_GD_GetData(api);
    if ((gd->flags & WMF_GD_SUPPORTS_PNG) != 0
        && wmf_mem_open(api, copy.data(), long(copy.size())) == wmf_E_None) {
        wmfD_Rect box{};
        if (wmf_scan(api, 0, &box) == wmf_E_None) {
            double width = 0;
            double height = 0;
            if (placeable) {
                // The player works in points; the frame is in metafile units.
                const double k = 72.0 / frame.unitsPerInch;
                box.TL.x = float(std::min(frame.left, frame.right) * k);
                box.TL.y = float(std::min(frame.top, frame.bottom) * k);
                box.BR.x = float(std::max(frame.left, frame.right) * k);
                box.BR.y = float(std::max(frame.top, frame.bottom) * k);
            }
            width = double(box.BR.x - box.TL.x) * DisplayDpi / 72.0;
            height = double(box.BR.y - box.TL.y) * DisplayDpi / 72.0;
            const double scale = std::min(1.0, MaxRenderedSide / std::max(width, height));
            const unsigned w = unsigned(std::max(1.0, std::round(width * scale)));
            const unsigned h = unsigned(std::max(1.0, std::round(height * scale)));
            if (width > 0 && height > 0) {
                gd->type = wmf_gd_png;
                gd->flags |= WMF_GD_OUTPUT_MEMORY | WMF_GD_OWN_BUFFER;
                gd->sink.context = &png;
                gd->sink.function = collect;
                gd->bbox = box;
                gd->width = w;
                gd->height = h;
                ok = wmf_play(api, 0, &box) == wmf_E_None && !png.empty();
            }
        }
        wmf_mem_close(api);
    }
    wmf_api_destroy(api);
    if (!ok)
        png.clear();
    return ok;
}

}  // namespace tagwright::printing::wmf
