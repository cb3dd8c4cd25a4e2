// libFuzzer driver: arbitrary bytes as a protocol description and as a key
// description. Every place the table hands out must lie inside the declared
// block, and writing every name into a block of that size must stay inside it
// (AddressSanitizer catches a stray byte).
#include "parlex/Parlex.h"
#include "parlex/VKTableParlex.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    CParlex table;
    table.Trans_Init(text.c_str());
    const int length = table.GetSysBufLen();
    if (length < 0 || length > CParlex::kMaxSysBufLen) std::abort();
    std::vector<unsigned char> block(static_cast<std::size_t>(length));
    for (const auto& entry : table.GetTable()) {
        const CParlex::Place place = table.DSOdataToPCParam(entry.first);
        if (place.first == -1 && place.second == -1) continue;
        if (place.first < 0 || place.second < 0 || place.first + place.second > length) std::abort();
        table.PCParamToDSOdata(entry.first, -1, block.data());
    }

    CVKTable_Parlex keys;
    keys.VKTrans_Init(text.c_str());
    for (const auto& entry : keys.GetKeyMap()) {
        if (entry.second < 0 || entry.second >= keys.GetEntryCount()) std::abort();
        if (keys.GetVKKeyPos(entry.first) != entry.second) std::abort();
    }
    return 0;
}
