#include "device/protocol/MacroImage.h"

#include "device/protocol/ByteOrder.h"
#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

size_t MacroImageSize(std::span<const MacroImageMacro> macros) {
    size_t size = kMacroImageHeaderSize + 2 * macros.size();
    for (const auto& macro : macros) {
        size += kMacroRecordHeaderSize + kMacroEventSize * macro.size();
    }
    return size;
}

std::optional<std::vector<uint8_t>> EncodeMacroImage(std::span<const MacroImageMacro> macros) {
    size_t size = MacroImageSize(macros);
    // Every count and offset is bounded by the size, so this check covers them all.
    if (size > 0xFFFF) return std::nullopt;

    std::vector<uint8_t> image(size, 0);
    StoreLe16(&image[0], kMacroSignature);  // bytes AA 55
    StoreLe16(&image[2], static_cast<uint16_t>(size));
    StoreLe16(&image[4], static_cast<uint16_t>(macros.size()));

    size_t record = kMacroImageHeaderSize + 2 * macros.size();
    for (size_t i = 0; i < macros.size(); ++i) {
        StoreLe16(&image[kMacroImageHeaderSize + 2 * i], static_cast<uint16_t>(record));
        StoreLe16(&image[record], static_cast<uint16_t>(macros[i].size()));
        size_t at = record + kMacroRecordHeaderSize;
        for (const MacroImageEvent& event : macros[i]) {
            StoreLe16(&image[at], event.delayMs);
            image[at + 2] = static_cast<uint8_t>(
                event.type | (event.action == MacroAction::Down ? kMacroEventDown : 0));
            image[at + 3] = event.button;
            at += kMacroEventSize;
        }
        record = at;
    }
    return image;
}

size_t MacroCapacityExcess(size_t imageSize, size_t capacityBytes, MacroOverflowReport report) {
    if (imageSize <= capacityBytes) return 0;
    if (report == MacroOverflowReport::ImageSize) return imageSize;
    return (imageSize - capacityBytes) / kMacroEventSize + 1;
}

}  // namespace vestra::protocol
