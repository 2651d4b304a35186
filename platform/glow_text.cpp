#include "platform/glow_text.h"

#include "platform/rounding.h"

namespace vantry {

int32_t MulDivRounded(int32_t a, int32_t b, int32_t c) {
    if (c == 0) return -1;
    int64_t product = static_cast<int64_t>(a) * b;
    bool negative = (product < 0) != (c < 0);
    int64_t magnitude = product < 0 ? -product : product;
    int64_t divisor = c < 0 ? -static_cast<int64_t>(c) : c;
    int64_t quotient = (magnitude + divisor / 2) / divisor;
    return static_cast<int32_t>(negative ? -quotient : quotient);
}

LogFontFields ComputeLogFontFields(const FontDescription& font, int pixelsPerInch) {
    LogFontFields fields;
    auto points = static_cast<int32_t>(RoundHalfEven(font.points));
    fields.height = -MulDivRounded(points, pixelsPerInch, 72);
    fields.weight = font.bold ? 700 : 400;
    fields.italic = font.italic ? 0xFF : 0;
    fields.underline = font.underline ? 0xFF : 0;
    fields.strikeOut = font.strikethrough ? 0xFF : 0;
    fields.charSet = static_cast<uint8_t>(font.charset & 0xFF);
    return fields;
}

}  // namespace vantry
