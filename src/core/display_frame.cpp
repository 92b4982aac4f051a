#include "core/display_frame.h"

#include <algorithm>

#include "core/text_rules.h"

namespace core {

std::string DisplayFrame::upperDigits() const {
    return Hex2(bytes[2]) + Hex2(bytes[1]);
}
std::string DisplayFrame::lowerDigits() const {
    return Hex2(bytes[4]) + Hex2(bytes[3]);
}
std::string DisplayFrame::smallDigits() const {
    return Hex2(bytes[5]);
}

bool DisplayFrame::fromBytes(const std::uint8_t* data, std::size_t size, DisplayFrame& frame) {
    if (size != kSize || data == nullptr) return false;
    std::copy(data, data + kSize, frame.bytes.begin());
    return true;
}

}  // namespace core
