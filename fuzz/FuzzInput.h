#pragma once
// Takes a fuzz input apart: small numbers from its front, the rest as bytes.
// Running out is no error: numbers then read as 0, bytes as empty.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

class CFuzzInput {
public:
    CFuzzInput(const uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    uint16_t Word() { return static_cast<uint16_t>(Byte() | (Byte() << 8)); }
    // At most n of the bytes left.
    std::string Take(std::size_t n)
    {
        n = std::min(n, Left());
        std::string bytes(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += n;
        return bytes;
    }
    std::string Rest() { return Take(Left()); }
    std::size_t Left() const { return m_size - m_pos; }

private:
    const uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};
