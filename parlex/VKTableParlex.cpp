#include "parlex/VKTableParlex.h"

#include "parlex/DescriptionText.h"

#include <string_view>

CVKTable_Parlex g_VKTable;

namespace {
// The key name of an entry line: the text after its first "[" up to the next
// "]". False when the line has no "[" or no "]" after it.
bool ExtractKeyName(std::string_view line, std::string_view& name) {
    const std::size_t open = line.find('[');
    if (open == std::string_view::npos) return false;
    const std::size_t close = line.find(']', open + 1);
    if (close == std::string_view::npos) return false;
    name = line.substr(open + 1, close - open - 1);
    return true;
}
}  // namespace

CVKTable_Parlex::~CVKTable_Parlex() = default;

int CVKTable_Parlex::VKTrans_Init(const char* description) {
    if (description == nullptr) return 0;
    CDescriptionText text(description);
    int32_t total = 0;
    if (!text.FindTotal(total)) return 0;
    m_nTotal = total;
    if (!text.FindStart()) return 0;
    m_nEntryCount = text.CountEntryLines();
    std::string_view line;
    for (int32_t position = 0; position < m_nEntryCount && text.ReadLine(line); ++position) {
        std::string_view name;
        if (ExtractKeyName(line, name)) m_keys.try_emplace(std::string(name), position);
    }
    return 1;
}

int CVKTable_Parlex::GetVKKeyPos(const std::string& name) const {
    const auto it = m_keys.find(name);
    return it != m_keys.end() ? it->second : -1;
}

void CVKTable_Parlex::TableClear() {
    m_keys.clear();
    m_nEntryCount = 0;
    m_nTotal = 0;
}
