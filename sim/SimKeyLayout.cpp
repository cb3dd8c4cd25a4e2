#include "sim/SimKeyLayout.h"

#include <algorithm>

const CSimKeyLayout& CSimKeyLayout::Standard() {
    // Numbered the way the panel's scan matrix runs: function keys, the
    // multipurpose knob, menus, control keys, then the vertical, horizontal
    // and trigger sections.
    static const CSimKeyLayout layout({
        "FN-0-KEY", "FN-1-KEY", "FN-2-KEY", "FN-3-KEY", "FN-4-KEY", "FN-5-KEY", "FN-6-KEY", "FN-7-KEY",
        "FN-MLEFT-KEY", "FN-MRIGHT-KEY", "FN-MZERO-KEY",
        "MENU-SR-KEY", "MENU-UTILITY-KEY", "MENU-MEASURE-KEY", "MENU-CURSOR-KEY", "MENU-ACQUIRE-KEY",
        "MENU-DISPLAY-KEY",
        "CT-HELP-KEY", "CT-DS-KEY", "CT-AUTOSET-KEY", "CT-SINGLESEQ-KEY", "CT-RS-KEY", "CT-STU-KEY",
        "VT-CH1-MENU-KEY", "VT-MATH-MENU-KEY", "VT-CH2-MENU-KEY",
        "VT-CH1-PADD-KEY", "VT-CH1-PSUB-KEY", "VT-CH1-PZERO-KEY", "VT-CH1-VBADD-KEY", "VT-CH1-VBSUB-KEY",
        "VT-CH2-PADD-KEY", "VT-CH2-PSUB-KEY", "VT-CH2-PZERO-KEY", "VT-CH2-VBADD-KEY", "VT-CH2-VBSUB-KEY",
        "HZ-MENU-KEY", "HZ-PADD-KEY", "HZ-PSUB-KEY", "HZ-PZERO-KEY", "HZ-TBADD-KEY", "HZ-TBSUB-KEY",
        "TG-MENU-KEY", "TG-PHALF-KEY", "TG-FORCE-KEY", "TG-PROBECHECK-KEY", "TG-PADD-KEY", "TG-PSUB-KEY",
        "TG-PZERO-KEY",
    });
    return layout;
}

int CSimKeyLayout::NumberOf(const std::string& name) const {
    auto it = std::find(m_names.begin(), m_names.end(), name);
    return it == m_names.end() ? -1 : static_cast<int>(it - m_names.begin());
}

std::string CSimKeyLayout::NameOf(int number) const {
    if (number < 0 || number >= Count())
        return {};
    return m_names[static_cast<std::size_t>(number)];
}

std::string CSimKeyLayout::DescriptionText() const {
    std::string text;
    text += "; keyprotocol.inf - front-panel keys; a key's number is its line after [START]\r\n";
    text += "[TOTAL] " + std::to_string(m_names.size()) + "\r\n";
    text += "[START]\r\n";
    for (const std::string& name : m_names)
        text += "[" + name + "]\r\n";
    text += "[END]\r\n";
    return text;
}
