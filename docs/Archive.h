// CArchive: the one binary stream that every file of the program goes through
// (".wfm", ".mes", ".dat", ".psm", ".mth", ".bus", ".wrk", ".set").
//
// Layout rules, shared by all formats:
// - integers of 8, 16, 32 and 64 bits and 32/64-bit IEEE floats, little-endian,
//   no padding, no alignment;
// - counted strings: a length below 255 as one byte; otherwise the byte 0xFF
//   and a 16-bit length below 0xFFFE; otherwise 0xFF, 0xFFFF and a 32-bit
//   length; then that many single-byte characters (no terminator);
// - class records: the first record of a class in one archive is the tag
//   0xFFFF, the 16-bit schema, the 16-bit name length and the name; each later
//   record of the same class in the same archive is a 16-bit back-reference
//   0x8000 | index (index counted from 1 in the order the classes first
//   appeared; an index of 0x7FFF or more is written as 0x7FFF followed by the
//   32-bit 0x80000000 | index). A workspace that embeds two waveform sheets
//   therefore carries the full record once.
//
// A storing archive appends to its own byte buffer; a loading archive reads a
// byte buffer that it holds whole (a file is read into memory first), so every
// read is checked against the bytes that remain and no counted length can make
// it allocate more than the input holds. The first failed read or check puts
// the archive into a sticky failed state: later reads return zero / empty and
// Failed() stays true, so a format reader can read all its fields and test once.
#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

class QColor;
class QFont;
class QPoint;
class QPointF;
class QRect;

// Arithmetic types the archive writes as fixed-width little-endian fields.
template <class T>
concept ArchiveScalar =
    (std::is_arithmetic_v<T> || std::is_enum_v<T>) && !std::is_same_v<T, bool> &&
    (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4 || sizeof(T) == 8);

class CArchive {
public:
    enum Mode { Store, Load };

    // Longest class name a record may carry; a longer one is a damaged file.
    static constexpr int kMaxClassNameLength = 64;

    // A storing archive with an empty buffer.
    CArchive();
    // A loading archive over the given bytes.
    explicit CArchive(QByteArray data);

    bool IsStoring() const { return m_mode == Store; }
    bool IsLoading() const { return m_mode == Load; }

    // Sticky error state.
    bool Failed() const { return m_failed; }
    void SetFailed() { m_failed = true; }

    // Store: the bytes written so far. Load: the whole input.
    const QByteArray& Buffer() const { return m_buffer; }
    // Load: read position and bytes left.
    size_t Position() const { return m_pos; }
    size_t Remaining() const;

    // --- writing (no effect on a loading archive other than failing it) ---
    void WriteU8(uint8_t v) { Write(v); }
    void WriteI8(int8_t v) { Write(v); }
    void WriteU16(uint16_t v) { Write(v); }
    void WriteI16(int16_t v) { Write(v); }
    void WriteU32(uint32_t v) { Write(v); }
    void WriteI32(int32_t v) { Write(v); }
    void WriteU64(uint64_t v) { Write(v); }
    void WriteI64(int64_t v) { Write(v); }
    void WriteFloat(float v) { Write(v); }
    void WriteDouble(double v) { Write(v); }
    void WriteBytes(const void* data, size_t size);
    // Counted string of raw bytes.
    void WriteString(std::string_view bytes);
    // Counted string holding the text as UTF-8 (ASCII texts are unchanged).
    void WriteText(const QString& text);
    // Class record; see the layout rules above.
    void WriteClass(std::string_view className, uint16_t schema);

    template <ArchiveScalar T>
    void Write(T value);

    // --- reading ---
    uint8_t ReadU8() { return Read<uint8_t>(); }
    int8_t ReadI8() { return Read<int8_t>(); }
    uint16_t ReadU16() { return Read<uint16_t>(); }
    int16_t ReadI16() { return Read<int16_t>(); }
    uint32_t ReadU32() { return Read<uint32_t>(); }
    int32_t ReadI32() { return Read<int32_t>(); }
    uint64_t ReadU64() { return Read<uint64_t>(); }
    int64_t ReadI64() { return Read<int64_t>(); }
    float ReadFloat() { return Read<float>(); }
    double ReadDouble() { return Read<double>(); }
    // Copies size bytes; non-zero on success, 0 (and nothing copied) when the
    // input is shorter.
    int ReadBytes(void* out, size_t size);
    // size bytes as a new array, empty on failure; never allocates more than
    // the input still holds.
    QByteArray ReadByteArray(size_t size);
    std::string ReadString();
    QString ReadText();
    // Reads a class record and checks that it names className. Non-zero on
    // success; the record's schema goes to *schema when given. A record of
    // another class, an unknown back-reference or a damaged record fails the
    // archive and returns 0.
    int ReadClass(std::string_view className, uint16_t* schema = nullptr);
    // Reads a 32-bit element count and checks that count × elementSize bytes
    // remain and that count ≤ maxCount; returns 0 and fails otherwise. Use it
    // before reserving memory for counted arrays.
    uint32_t ReadCount(size_t elementSize, uint32_t maxCount = UINT32_MAX);

    template <ArchiveScalar T>
    T Read();

    // --- one field list for both directions ---
    // Writes the value when storing, reads it into value when loading.
    template <ArchiveScalar T>
    void Transfer(T& value);
    void Transfer(std::string& value);
    void Transfer(QString& value);
    // Qt types, in the layout every format of the program uses:
    // a point as two 32-bit integers x, y;
    void Transfer(QPoint& value);
    // a real point as two float64, which must be finite;
    void Transfer(QPointF& value);
    // a rectangle as 32-bit left, top, right, bottom, right and bottom exclusive;
    void Transfer(QRect& value);
    // a font as its family (counted text), pixel height (1 ... 10000; 46 when
    // the font has none), weight (1 ... 1000) and italic flag (0 or 1), 32-bit each;
    void Transfer(QFont& value);
    // a colour as a 32-bit 0x00BBGGRR value.
    void Transfer(QColor& value);
    // A 32-bit value that must lie in low ... high when read; the value is
    // kept and the archive fails otherwise.
    void TransferRanged(int32_t& value, int32_t low, int32_t high);
    // A float that must be finite (and above 0 when positive) when read.
    void TransferFinite(float& value, bool positive = false);
    void TransferFinite(double& value, bool positive = false);

private:
    void Append(const void* data, size_t size);
    // Non-zero when size bytes remain; fails the archive otherwise.
    int Need(size_t size);
    int CheckLoading();
    int CheckStoring();
    void WriteClassReference(uint32_t index);
    int ReadClassTag(uint32_t* index, bool* isNew);
    int ReadNewClass(uint16_t* schema, std::string* name);

    Mode m_mode;
    bool m_failed = false;
    QByteArray m_buffer;
    size_t m_pos = 0;
    // Class records seen in this archive: index → (name, schema) when loading,
    // name → index when storing. Index 0 is never used.
    struct ClassRecord {
        std::string name;
        uint16_t schema;
    };
    std::vector<ClassRecord> m_loadedClasses;
    std::unordered_map<std::string, uint32_t> m_storedClasses;
    uint32_t m_classCount = 1;
};

template <ArchiveScalar T>
void CArchive::Write(T value) {
    if (!CheckStoring()) return;
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    U bits = std::bit_cast<U>(value);
    unsigned char bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    Append(bytes, sizeof(T));
}

template <ArchiveScalar T>
T CArchive::Read() {
    using U = std::conditional_t<sizeof(T) == 1, uint8_t,
              std::conditional_t<sizeof(T) == 2, uint16_t,
              std::conditional_t<sizeof(T) == 4, uint32_t, uint64_t>>>;
    if (!CheckLoading() || !Need(sizeof(T))) return T{};
    U bits = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(m_buffer.constData()) + m_pos;
    for (size_t i = 0; i < sizeof(T); ++i) bits |= static_cast<U>(static_cast<U>(p[i]) << (8 * i));
    m_pos += sizeof(T);
    return std::bit_cast<T>(bits);
}

template <ArchiveScalar T>
void CArchive::Transfer(T& value) {
    if (IsStoring())
        Write(value);
    else
        value = Read<T>();
}

// Writes bytes to path through CAtomicFile (corvane/AtomicFile.h): a temporary
// file in the same folder, flushed to disk and renamed over the old file, so a
// crash or a full disk never leaves a half-written file under the name.
// Non-zero on success; on failure the old file is untouched and *error (when
// given) says why.
int SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Reads a whole file for a loading archive. Refuses files larger than maxSize
// bytes. Non-zero on success.
int LoadFileBytes(const QString& path, QByteArray* bytes, qint64 maxSize = qint64(1) << 30,
                  QString* error = nullptr);

