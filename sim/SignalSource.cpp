#include "sim/SignalSource.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <optional>
#include <string_view>

namespace {

constexpr double kMaxFrequency = 1e9;  // Hz
constexpr double kMaxVolts = 1000.0;
constexpr double kMinGapBits = 2.0;
constexpr double kMaxGapBits = 10000.0;
constexpr size_t kMaxDataItems = 32;
constexpr double kDefaultBusRate = 100e3;
constexpr double kDefaultBusVpp = 3.3;
constexpr double kInterWordIdleBits = 2.0;  // SPI: idle clock between two words

struct KindName {
    SignalKind kind;
    const char* name;
};

constexpr std::array<KindName, 9> kKindNames{{
    {SignalKind::None, "none"},
    {SignalKind::Sine, "sine"},
    {SignalKind::Square, "square"},
    {SignalKind::Triangle, "triangle"},
    {SignalKind::Pulse, "pulse"},
    {SignalKind::Dc, "dc"},
    {SignalKind::Noise, "noise"},
    {SignalKind::I2c, "i2c"},
    {SignalKind::Spi, "spi"},
}};

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    size_t begin = 0;
    while (true) {
        const size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end == std::string_view::npos ? std::string_view::npos
                                                                         : end - begin));
        if (end == std::string_view::npos)
            return parts;
        begin = end + 1;
    }
}

bool StartsNumber(std::string_view text)
{
    size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
    return i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.');
}

// Strips an optional unit ("Hz", "V", "s") and reads an optional SI prefix;
// returns the prefix factor or nullopt for an unknown suffix.
std::optional<double> TakeSuffix(std::string_view* text)
{
    for (std::string_view unit : {"Hz", "hz", "V", "v", "s", "S"}) {
        if (text->size() > unit.size() && text->ends_with(unit)) {
            text->remove_suffix(unit.size());
            break;
        }
    }
    static const std::map<char, double> kPrefixes{{'p', 1e-12}, {'n', 1e-9}, {'u', 1e-6},
                                                  {'m', 1e-3},  {'k', 1e3},  {'K', 1e3},
                                                  {'M', 1e6},   {'G', 1e9}};
    if (text->empty())
        return std::nullopt;
    const char last = text->back();
    if (std::isdigit(static_cast<unsigned char>(last)) || last == '.')
        return 1.0;
    const auto it = kPrefixes.find(last);
    if (it == kPrefixes.end())
        return std::nullopt;
    text->remove_suffix(1);
    return it->second;
}

std::optional<double> ParseNumber(std::string_view text)
{
    const std::optional<double> factor = TakeSuffix(&text);
    if (!factor || !StartsNumber(text))
        return std::nullopt;
    if (text[0] == '+')
        text.remove_prefix(1);
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    value *= *factor;
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<uint32_t> ParseUnsigned(std::string_view text, int defaultBase)
{
    int base = defaultBase;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        base = 16;
    }
    uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<std::vector<uint32_t>> ParseHexList(std::string_view text)
{
    std::vector<uint32_t> values;
    if (text.empty())
        return values;
    for (std::string_view item : Split(text, ',')) {
        const std::optional<uint32_t> value = ParseUnsigned(item, 16);
        if (!value || values.size() >= kMaxDataItems)
            return std::nullopt;
        values.push_back(*value);
    }
    return values;
}

// Reads the fields after the kind into a description; reports the first problem.
class CSpecParser {
public:
    CSpecParser(SignalSpec* wave, std::string* error) : m_spec(wave), m_error(error) {}

    bool Field(std::string_view field)
    {
        const size_t eq = field.find('=');
        if (eq == std::string_view::npos)
            return Positional(field);
        m_seenKey = true;
        return Key(field.substr(0, eq), field.substr(eq + 1));
    }

    bool Finish();

private:
    bool Fail(const std::string& reason)
    {
        if (m_error)
            *m_error = reason;
        return false;
    }

    bool Number(std::string_view name, std::string_view text, double low, double high,
                bool lowInclusive, double* out)
    {
        const std::optional<double> value = ParseNumber(text);
        if (!value)
            return Fail("malformed number '" + std::string(text) + "' for " + std::string(name));
        if (*value > high || *value < low || (!lowInclusive && *value == low))
            return Fail(std::string(name) + " out of range: " + std::string(text));
        *out = *value;
        return true;
    }

    bool Integer(std::string_view name, std::string_view text, uint32_t low, uint32_t high,
                 int* out)
    {
        const std::optional<uint32_t> value = ParseUnsigned(text, 10);
        if (!value)
            return Fail("malformed integer '" + std::string(text) + "' for " + std::string(name));
        if (*value < low || *value > high)
            return Fail(std::string(name) + " out of range: " + std::string(text));
        *out = static_cast<int>(*value);
        return true;
    }

    bool Positional(std::string_view field);
    bool Key(std::string_view key, std::string_view value);
    bool CommonKey(std::string_view key, std::string_view value, bool* handled);
    bool BusKey(std::string_view key, std::string_view value, bool* handled);
    bool I2cKey(std::string_view key, std::string_view value, bool* handled);
    bool SpiKey(std::string_view key, std::string_view value, bool* handled);
    bool FinishI2c();
    bool FinishSpi();

    SignalSpec* m_spec;
    std::string* m_error;
    int m_positional = 0;
    bool m_seenKey = false;
    bool m_addressBitsGiven = false;
    bool m_dataGiven = false;
    std::vector<uint32_t> m_data;
};

bool CSpecParser::Positional(std::string_view field)
{
    if (m_seenKey)
        return Fail("positional field '" + std::string(field) + "' after a key=value field");
    const int index = m_positional++;
    switch (m_spec->kind) {
    case SignalKind::Dc:
        if (index == 0)
            return Number("level", field, -kMaxVolts, kMaxVolts, true, &m_spec->offset);
        break;
    case SignalKind::Noise:
        if (index == 0)
            return Number("noise", field, 0.0, kMaxVolts, true, &m_spec->noiseRms);
        if (index == 1)
            return Number("offset", field, -kMaxVolts, kMaxVolts, true, &m_spec->offset);
        break;
    case SignalKind::None:
        break;
    default:
        if (index == 0)
            return Number("frequency", field, 0.0, kMaxFrequency, false, &m_spec->frequency);
        if (index == 1)
            return Number("vpp", field, 0.0, kMaxVolts, true, &m_spec->vpp);
        if (index == 2)
            return Number("offset", field, -kMaxVolts, kMaxVolts, true, &m_spec->offset);
        break;
    }
    return Fail(std::string("too many fields for ") + SignalKindName(m_spec->kind));
}

bool CSpecParser::Key(std::string_view key, std::string_view value)
{
    bool handled = false;
    if (!CommonKey(key, value, &handled))
        return false;
    if (!handled && m_spec->IsBus() && !BusKey(key, value, &handled))
        return false;
    if (!handled && m_spec->kind == SignalKind::I2c && !I2cKey(key, value, &handled))
        return false;
    if (!handled && m_spec->kind == SignalKind::Spi && !SpiKey(key, value, &handled))
        return false;
    if (handled)
        return true;
    return Fail("key '" + std::string(key) + "' does not apply to " +
                SignalKindName(m_spec->kind));
}

// The Key helpers return false on a malformed value and set *handled when
// they recognised the key (and it parsed).
bool CSpecParser::CommonKey(std::string_view key, std::string_view value, bool* handled)
{
    bool ok = true;
    const bool periodic = m_spec->kind != SignalKind::None && m_spec->kind != SignalKind::Dc &&
                          m_spec->kind != SignalKind::Noise;
    if ((key == "f" || key == "freq") && periodic)
        ok = Number("frequency", value, 0.0, kMaxFrequency, false, &m_spec->frequency);
    else if (key == "vpp" && periodic)
        ok = Number("vpp", value, 0.0, kMaxVolts, true, &m_spec->vpp);
    else if (key == "offset" && m_spec->kind != SignalKind::None)
        ok = Number("offset", value, -kMaxVolts, kMaxVolts, true, &m_spec->offset);
    else if (key == "noise" && m_spec->kind != SignalKind::None)
        ok = Number("noise", value, 0.0, kMaxVolts, true, &m_spec->noiseRms);
    else if (key == "duty" && m_spec->kind == SignalKind::Pulse)
        ok = Number("duty", value, 0.0, 100.0, false, &m_spec->dutyPercent) &&
             (m_spec->dutyPercent < 100.0 || Fail("duty out of range: " + std::string(value)));
    else
        return true;
    *handled = ok;
    return ok;
}

bool CSpecParser::BusKey(std::string_view key, std::string_view value, bool* handled)
{
    if (key == "line") {
        if (value == "data")
            m_spec->line = BusLine::Data;
        else if (value == "clock")
            m_spec->line = BusLine::Clock;
        else
            return Fail("line must be data or clock, not '" + std::string(value) + "'");
    } else if (key == "gap") {
        if (!Number("gap", value, kMinGapBits, kMaxGapBits, true, &m_spec->gapBits))
            return false;
    } else if (key == "data") {
        std::optional<std::vector<uint32_t>> list = ParseHexList(value);
        if (!list)
            return Fail("malformed data list '" + std::string(value) + "' (hex, at most " +
                        std::to_string(kMaxDataItems) + " items)");
        m_data = std::move(*list);
        m_dataGiven = true;
    } else {
        return true;
    }
    *handled = true;
    return true;
}

bool CSpecParser::I2cKey(std::string_view key, std::string_view value, bool* handled)
{
    I2cSpec& i2c = m_spec->i2c;
    int number = 0;
    if (key == "addr") {
        if (!Integer("addr", value, 0, 0x3FF, &number))
            return false;
        i2c.address = static_cast<uint16_t>(number);
    } else if (key == "addrbits") {
        if (!Integer("addrbits", value, 7, 10, &number) || (number != 7 && number != 10))
            return Fail("addrbits must be 7 or 10");
        i2c.addressBits = number;
        m_addressBitsGiven = true;
    } else if (key == "rw") {
        if (value != "r" && value != "w")
            return Fail("rw must be r or w, not '" + std::string(value) + "'");
        i2c.read = value == "r";
    } else if (key == "ack") {
        if (value.find_first_not_of("AN") != std::string_view::npos)
            return Fail("ack takes the letters A and N only");
        i2c.ackPattern = std::string(value);
    } else if (key == "restart") {
        if (!Integer("restart", value, 0, kMaxDataItems, &number))
            return false;
        i2c.restartAfter = number;
    } else {
        return true;
    }
    *handled = true;
    return true;
}

bool CSpecParser::SpiKey(std::string_view key, std::string_view value, bool* handled)
{
    SpiSpec& spi = m_spec->spi;
    int number = 0;
    if (key == "mode") {
        if (!Integer("mode", value, 0, 3, &number))
            return false;
        spi.cpol = number / 2;
        spi.cpha = number % 2;
    } else if (key == "cpol" || key == "cpha") {
        if (!Integer(key, value, 0, 1, &number))
            return false;
        (key == "cpol" ? spi.cpol : spi.cpha) = number;
    } else if (key == "bits") {
        if (!Integer("bits", value, 1, 32, &number))
            return false;
        spi.bitsPerWord = number;
    } else {
        return true;
    }
    *handled = true;
    return true;
}

bool CSpecParser::FinishI2c()
{
    I2cSpec& i2c = m_spec->i2c;
    if (!m_addressBitsGiven && i2c.address > 0x7F)
        i2c.addressBits = 10;
    if (i2c.addressBits == 7 && i2c.address > 0x7F)
        return Fail("a 7-bit address is at most 0x7F");
    if (m_dataGiven) {
        i2c.data.clear();
        for (uint32_t value : m_data) {
            if (value > 0xFF)
                return Fail("I2C data bytes are at most FF");
            i2c.data.push_back(static_cast<uint8_t>(value));
        }
    }
    if (i2c.restartAfter > static_cast<int>(i2c.data.size()))
        return Fail("restart lies beyond the data bytes");
    return true;
}

bool CSpecParser::FinishSpi()
{
    SpiSpec& spi = m_spec->spi;
    if (m_dataGiven)
        spi.words = m_data;
    if (spi.words.empty())
        return Fail("SPI needs at least one data word");
    const uint64_t limit = uint64_t{1} << spi.bitsPerWord;
    for (uint32_t word : spi.words) {
        if (word >= limit)
            return Fail("SPI word wider than " + std::to_string(spi.bitsPerWord) + " bits");
    }
    return true;
}

bool CSpecParser::Finish()
{
    if (m_spec->kind == SignalKind::I2c)
        return FinishI2c();
    if (m_spec->kind == SignalKind::Spi)
        return FinishSpi();
    return true;
}

// splitmix64: a small, well-mixed counter-based generator, so noise is a pure
// function of (seed, time).
uint64_t Mix(uint64_t x)
{
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

double UnitInterval(uint64_t bits)
{
    return (static_cast<double>(bits >> 11) + 0.5) * (1.0 / 9007199254740992.0);  // (0, 1)
}

std::string FormatNumber(double value)
{
    struct Prefix {
        double scale;
        const char* text;
    };
    static constexpr std::array<Prefix, 8> kPrefixes{{{1e9, "G"}, {1e6, "M"}, {1e3, "k"},
                                                     {1.0, ""}, {1e-3, "m"}, {1e-6, "u"},
                                                     {1e-9, "n"}, {1e-12, "p"}}};
    if (value == 0.0)
        return "0";
    char buffer[64];
    const double magnitude = std::fabs(value);
    for (const Prefix& prefix : kPrefixes) {
        if (magnitude < prefix.scale && prefix.scale != 1e-12)
            continue;
        std::snprintf(buffer, sizeof buffer, "%.15g%s", value / prefix.scale, prefix.text);
        if (ParseNumber(buffer) == value)
            return buffer;
        break;
    }
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string FormatHexList(const std::vector<uint32_t>& values)
{
    std::string text;
    char buffer[16];
    for (size_t i = 0; i < values.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%X", i ? "," : "", values[i]);
        text += buffer;
    }
    return text;
}

std::string FormatBusKeys(const SignalSpec& wave)
{
    std::string text;
    if (wave.line != BusLine::Auto)
        text += wave.line == BusLine::Data ? ":line=data" : ":line=clock";
    if (wave.gapBits != 10.0)
        text += ":gap=" + FormatNumber(wave.gapBits);
    if (wave.kind == SignalKind::I2c) {
        const I2cSpec& i2c = wave.i2c;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, ":addr=0x%X:addrbits=%d", i2c.address,
                      i2c.addressBits);
        text += buffer;
        text += i2c.read ? ":rw=r" : ":rw=w";
        text += ":data=" + FormatHexList({i2c.data.begin(), i2c.data.end()});
        if (!i2c.ackPattern.empty())
            text += ":ack=" + i2c.ackPattern;
        if (i2c.restartAfter >= 0)
            text += ":restart=" + std::to_string(i2c.restartAfter);
    } else {
        const SpiSpec& spi = wave.spi;
        text += ":mode=" + std::to_string(spi.cpol * 2 + spi.cpha);
        text += ":bits=" + std::to_string(spi.bitsPerWord);
        text += ":data=" + FormatHexList(spi.words);
    }
    return text;
}

} // namespace

const char* SignalKindName(SignalKind kind)
{
    for (const KindName& entry : kKindNames) {
        if (entry.kind == kind)
            return entry.name;
    }
    return "?";
}

int ParseSignalSpec(const std::string& text, SignalSpec* out, std::string* error)
{
    if (!out)
        return 0;
    const std::vector<std::string_view> fields = Split(text, ':');
    SignalSpec wave;
    const auto kind = std::find_if(kKindNames.begin(), kKindNames.end(),
                                   [&](const KindName& entry) { return fields[0] == entry.name; });
    if (kind == kKindNames.end()) {
        if (error)
            *error = "unknown signal kind '" + std::string(fields[0]) +
                     "' (none, sine, square, triangle, pulse, dc, noise, i2c, spi)";
        return 0;
    }
    wave.kind = kind->kind;
    if (wave.IsBus()) {
        wave.frequency = kDefaultBusRate;
        wave.vpp = kDefaultBusVpp;
    }
    CSpecParser parser(&wave, error);
    for (size_t i = 1; i < fields.size(); ++i) {
        if (fields[i].empty()) {
            if (error)
                *error = "empty field in '" + text + "'";
            return 0;
        }
        if (!parser.Field(fields[i]))
            return 0;
    }
    if (!parser.Finish())
        return 0;
    *out = std::move(wave);
    return 1;
}

std::string FormatSignalSpec(const SignalSpec& wave)
{
    std::string text = SignalKindName(wave.kind);
    switch (wave.kind) {
    case SignalKind::None:
        return text;
    case SignalKind::Dc:
        text += ":" + FormatNumber(wave.offset);
        break;
    case SignalKind::Noise:
        return text + ":" + FormatNumber(wave.noiseRms) + ":" + FormatNumber(wave.offset);
    default:
        text += ":" + FormatNumber(wave.frequency) + ":" + FormatNumber(wave.vpp) + ":" +
                FormatNumber(wave.offset);
        break;
    }
    if (wave.kind == SignalKind::Pulse)
        text += ":duty=" + FormatNumber(wave.dutyPercent);
    if (wave.IsBus())
        text += FormatBusKeys(wave);
    if (wave.noiseRms != 0.0)
        text += ":noise=" + FormatNumber(wave.noiseRms);
    return text;
}

// ---------------------------------------------------------------------------

CSignalSource::CSignalSource(const SignalSpec& wave, uint64_t seed) : m_spec(wave), m_seed(seed)
{
    if (m_spec.kind == SignalKind::I2c)
        LayOutI2c();
    else if (m_spec.kind == SignalKind::Spi)
        LayOutSpi();
}

void CSignalSource::Append(double duration, int data, int clock)
{
    if (!m_segments.empty() && m_segments.back().data == data && m_segments.back().clock == clock) {
        m_busPeriod += duration;
        return;
    }
    m_segments.push_back({m_busPeriod, static_cast<uint8_t>(data), static_cast<uint8_t>(clock)});
    m_busPeriod += duration;
}

namespace {

struct I2cByte {
    uint8_t value;
    bool nack;          // acknowledge bit high
    bool restartBefore; // a repeated start precedes the byte
};

// The bytes of one transfer in wire order, with their default acknowledges.
std::vector<I2cByte> I2cWireBytes(const I2cSpec& i2c)
{
    std::vector<I2cByte> bytes;
    const bool tenBit = i2c.addressBits == 10;
    const uint8_t prefix = static_cast<uint8_t>(0xF0 | ((i2c.address >> 8) & 0x3) << 1);
    auto address = [&](bool read, bool restart) {
        if (!tenBit) {
            bytes.push_back({static_cast<uint8_t>((i2c.address & 0x7F) << 1 | read), false, restart});
            return;
        }
        if (read && !restart) {  // a 10-bit read first writes both address bytes
            bytes.push_back({prefix, false, false});
            bytes.push_back({static_cast<uint8_t>(i2c.address & 0xFF), false, false});
            restart = true;
        }
        bytes.push_back({static_cast<uint8_t>(prefix | read), false, restart});
        if (!read)
            bytes.push_back({static_cast<uint8_t>(i2c.address & 0xFF), false, false});
    };
    auto data = [&](size_t from, size_t to, bool read) {
        for (size_t i = from; i < to; ++i)
            bytes.push_back({i2c.data[i], read && i + 1 == to, false});
    };
    const size_t count = i2c.data.size();
    if (i2c.restartAfter >= 0) {
        const size_t split = static_cast<size_t>(i2c.restartAfter);
        address(false, false);
        data(0, split, false);
        address(true, true);
        data(split, count, true);
    } else {
        address(i2c.read, false);
        data(0, count, i2c.read);
    }
    for (size_t i = 0; i < i2c.ackPattern.size() && i < bytes.size(); ++i)
        bytes[i].nack = i2c.ackPattern[i] == 'N';
    return bytes;
}

} // namespace

// I2C: a quarter bit Q = 1 / (4 x rate). SCL is low for 2Q and high for 2Q
// per bit; SDA changes in the middle of the low time. Start and repeated start
// keep SCL high for 2Q on each side of the SDA fall; the stop raises SDA 2Q
// after SCL went high.
void CSignalSource::LayOutI2c()
{
    const double q = 0.25 / m_spec.frequency;
    int sda = 1;
    Append(m_spec.gapBits * 4 * q, 1, 1);
    Append(2 * q, 0, 1);
    sda = 0;
    auto bit = [&](int value) {
        Append(q, sda, 0);
        Append(q, value, 0);
        Append(2 * q, value, 1);
        sda = value;
    };
    for (const I2cByte& byte : I2cWireBytes(m_spec.i2c)) {
        if (byte.restartBefore) {
            bit(1);
            Append(2 * q, 0, 1);
            sda = 0;
        }
        for (int i = 7; i >= 0; --i)
            bit((byte.value >> i) & 1);
        bit(byte.nack ? 1 : 0);
    }
    bit(0);  // stop: SDA low under the last clock, then it rises with SCL high
}

// SPI: a half bit H = 1 / (2 x rate). With clock phase 0 each bit holds the
// idle clock for H, then the active level for H (data sampled on the leading
// edge, changed on the trailing one); with phase 1 the active half comes
// first. The data line rests low between words.
void CSignalSource::LayOutSpi()
{
    const SpiSpec& spi = m_spec.spi;
    const double bitTime = 1.0 / m_spec.frequency;
    const double h = bitTime / 2;
    const int idle = spi.cpol;
    Append(m_spec.gapBits * bitTime, 0, idle);
    for (uint32_t word : spi.words) {
        for (int i = spi.bitsPerWord - 1; i >= 0; --i) {
            const int value = static_cast<int>((word >> i) & 1);
            Append(h, value, spi.cpha ? 1 - idle : idle);
            Append(h, value, spi.cpha ? idle : 1 - idle);
        }
        Append(kInterWordIdleBits * bitTime, 0, idle);
    }
}

double CSignalSource::BusUnit(double t, int line) const
{
    if (m_segments.empty() || m_busPeriod <= 0.0)
        return -1.0;
    double phase = t - std::floor(t / m_busPeriod) * m_busPeriod;
    auto it = std::upper_bound(m_segments.begin(), m_segments.end(), phase,
                               [](double value, const BusSegment& s) { return value < s.start; });
    const BusSegment& segment = it == m_segments.begin() ? m_segments.front() : *(it - 1);
    const int level = line == 1 ? segment.clock : segment.data;
    return level ? 1.0 : -1.0;
}

double CSignalSource::Unit(double t, int line) const
{
    const double cycles = t * m_spec.frequency;
    const double phase = cycles - std::floor(cycles);
    switch (m_spec.kind) {
    case SignalKind::Sine:
        return std::sin(2.0 * std::numbers::pi * phase);
    case SignalKind::Square:
        return phase < 0.5 ? 1.0 : -1.0;
    case SignalKind::Triangle:
        return phase < 0.5 ? -1.0 + 4.0 * phase : 3.0 - 4.0 * phase;
    case SignalKind::Pulse:
        return phase < m_spec.dutyPercent / 100.0 ? 1.0 : -1.0;
    case SignalKind::I2c:
    case SignalKind::Spi:
        return BusUnit(t, line);
    default:
        return 0.0;
    }
}

double CSignalSource::Noise(double t) const
{
    if (m_spec.noiseRms <= 0.0)
        return 0.0;
    const double picoseconds = std::clamp(t * 1e12, -9e18, 9e18);
    const uint64_t key = Mix(m_seed ^ Mix(static_cast<uint64_t>(std::llround(picoseconds))));
    const double u1 = UnitInterval(key);
    const double u2 = UnitInterval(Mix(key));
    return m_spec.noiseRms * std::sqrt(-2.0 * std::log(u1)) *
           std::cos(2.0 * std::numbers::pi * u2);
}

double CSignalSource::EvaluateClean(double t, int line) const
{
    if (m_spec.kind == SignalKind::None)
        return 0.0;
    return m_spec.offset + 0.5 * m_spec.vpp * Unit(t, line);
}

double CSignalSource::Evaluate(double t, int line) const
{
    return EvaluateClean(t, line) + Noise(t);
}

double CSignalSource::MeanLevel(int line) const
{
    switch (m_spec.kind) {
    case SignalKind::None:
        return 0.0;
    case SignalKind::Pulse:
        return m_spec.offset + 0.5 * m_spec.vpp * (2.0 * m_spec.dutyPercent / 100.0 - 1.0);
    case SignalKind::I2c:
    case SignalKind::Spi: {
        double highTime = 0.0;
        for (size_t i = 0; i < m_segments.size(); ++i) {
            const double end = i + 1 < m_segments.size() ? m_segments[i + 1].start : m_busPeriod;
            if ((line == 1 ? m_segments[i].clock : m_segments[i].data) != 0)
                highTime += end - m_segments[i].start;
        }
        const double share = m_busPeriod > 0.0 ? highTime / m_busPeriod : 0.0;
        return m_spec.offset + 0.5 * m_spec.vpp * (2.0 * share - 1.0);
    }
    default:
        return m_spec.offset;
    }
}

double CSignalSource::Period() const
{
    switch (m_spec.kind) {
    case SignalKind::None:
    case SignalKind::Dc:
    case SignalKind::Noise:
        return 0.0;
    case SignalKind::I2c:
    case SignalKind::Spi:
        return m_busPeriod;
    default:
        return 1.0 / m_spec.frequency;
    }
}

double CSignalSource::ShortestFeature() const
{
    const double period = Period();
    switch (m_spec.kind) {
    case SignalKind::Sine:
    case SignalKind::Triangle:
        return period / 4;
    case SignalKind::Square:
        return period / 2;
    case SignalKind::Pulse: {
        const double duty = m_spec.dutyPercent / 100.0;
        return period * std::min(duty, 1.0 - duty);
    }
    case SignalKind::I2c:
        return 0.25 / m_spec.frequency;
    case SignalKind::Spi:
        return 0.5 / m_spec.frequency;
    default:
        return 0.0;
    }
}
