#include "sim/SimModel.h"

#include <cctype>

const std::vector<SimModelInfo>& SimModels() {
    static const std::vector<SimModelInfo> models = {
        {0, "QX1022", 20, "250MSa/s", {0, 1, 3, 4}, 2, 21},
        {4, "QX1202", 200, "1GSa/s", {0, 1, 2, 3, 4}, 3, 26},
    };
    return models;
}

const SimModelInfo* FindSimModel(int number) {
    for (const SimModelInfo& m : SimModels())
        if (m.number == number)
            return &m;
    return nullptr;
}

const SimModelInfo* FindSimModel(const std::string& numberOrName) {
    if (numberOrName.empty())
        return nullptr;
    bool digits = true;
    for (char c : numberOrName)
        digits = digits && std::isdigit(static_cast<unsigned char>(c));
    if (digits)
        return numberOrName.size() <= 3 ? FindSimModel(std::stoi(numberOrName)) : nullptr;
    for (const SimModelInfo& m : SimModels()) {
        if (m.name.size() != numberOrName.size())
            continue;
        bool same = true;
        for (std::size_t i = 0; i < m.name.size(); ++i)
            same = same && std::toupper(static_cast<unsigned char>(numberOrName[i])) == m.name[i];
        if (same)
            return &m;
    }
    return nullptr;
}
