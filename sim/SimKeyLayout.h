#pragma once
// The simulated instrument's front-panel keys: their names in the order of
// its key numbering (a key's number is its line among the entry lines of
// "/keyprotocol.inf", counted from 0), and that description text.
#include <string>
#include <vector>

class CSimKeyLayout {
public:
    static const CSimKeyLayout& Standard();

    explicit CSimKeyLayout(std::vector<std::string> names) : m_names(std::move(names)) {}

    int Count() const { return static_cast<int>(m_names.size()); }
    // The key number of a name, or -1.
    int NumberOf(const std::string& name) const;
    // The name of a key number, or "" when the number is not a key.
    std::string NameOf(int number) const;

    std::string DescriptionText() const;

private:
    std::vector<std::string> m_names;
};
