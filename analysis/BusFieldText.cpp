#include "analysis/BusFieldText.h"

#include "analysis/BusLevels.h"

#include <span>

namespace {

BusFieldText AddressText(const BusField& field, int base, bool* tenBitPrefix) {
    const std::vector<int> bits = field.BitValues();
    const int kind = ClassifyAddress(bits);
    BusFieldText text{field.label, {}, {}};
    if (kind == kAddrBroadcast || kind == kAddrStartByte || kind == kAddrHighSpeed) {
        text.value = FormatFieldValue(bits, base);
        if (kind == kAddrStartByte) text.label = "SBit:";
        return text;
    }
    const std::span<const int> address(bits.data(), bits.size() - 1);
    text.value = FormatFieldValue(address, base);
    if (kind == kAddrTenBit && *tenBitPrefix) {
        text.mark = "T";
        return text;
    }
    text.mark = std::string(bits.back() ? "R" : "W") + (field.ack == 0 ? "1" : "2");
    return text;
}

} // namespace

std::vector<BusFieldText> BusFieldTexts(const std::vector<BusField>& fields, int base, bool i2c,
                                        bool tenBitAddresses) {
    std::vector<BusFieldText> texts;
    bool previousWasPrefix = false;
    for (const BusField& field : fields) {
        if (field.bits.empty()) {
            texts.push_back({field.label, {}, {}});
            previousWasPrefix = false;
            continue;
        }
        const bool address = i2c && field.label == "Addr:" && field.bits.size() >= 2;
        if (address && !previousWasPrefix) {
            bool tenBit = tenBitAddresses;
            texts.push_back(AddressText(field, base, &tenBit));
            previousWasPrefix = texts.back().mark == "T";
            continue;
        }
        texts.push_back({field.label, FormatFieldValue(field.BitValues(), base), {}});
        previousWasPrefix = false;
    }
    return texts;
}
