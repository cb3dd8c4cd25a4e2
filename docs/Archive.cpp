#include "docs/Archive.h"

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <cmath>

#include "corvane/AtomicFile.h"

namespace {
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigClassTag = 0x7FFF;
constexpr uint32_t kBigClassFlag = 0x80000000u;
constexpr uint8_t kLongStringByte = 0xFF;
constexpr uint16_t kFirst32BitLength = 0xFFFE;
constexpr uint16_t kLongStringWord = 0xFFFF;
// Upper bound on class records in one archive; far above any real file, low
// enough that a hostile index can never address memory we do not have.
constexpr uint32_t kMaxClassCount = 0x3FFFFFFE;
} // namespace

CArchive::CArchive() : m_mode(Store) {}

CArchive::CArchive(QByteArray data) : m_mode(Load), m_buffer(std::move(data)) {
    m_loadedClasses.push_back({}); // index 0 is the null record
}

size_t CArchive::Remaining() const {
    if (!IsLoading()) return 0;
    return static_cast<size_t>(m_buffer.size()) - m_pos;
}

int CArchive::CheckLoading() {
    if (m_failed) return 0;
    if (IsLoading()) return 1;
    m_failed = true;
    return 0;
}

int CArchive::CheckStoring() {
    if (m_failed) return 0;
    if (IsStoring()) return 1;
    m_failed = true;
    return 0;
}

int CArchive::Need(size_t size) {
    if (m_failed) return 0;
    if (size <= Remaining()) return 1;
    m_failed = true;
    return 0;
}

void CArchive::Append(const void* data, size_t size) {
    m_buffer.append(static_cast<const char*>(data), static_cast<qsizetype>(size));
}

void CArchive::WriteBytes(const void* data, size_t size) {
    if (!CheckStoring()) return;
    Append(data, size);
}

void CArchive::WriteString(std::string_view bytes) {
    if (!CheckStoring()) return;
    const size_t n = bytes.size();
    if (n > UINT32_MAX) {
        m_failed = true;
        return;
    }
    if (n < kLongStringByte) {
        WriteU8(static_cast<uint8_t>(n));
    } else {
        WriteU8(kLongStringByte);
        if (n < kFirst32BitLength) {
            WriteU16(static_cast<uint16_t>(n));
        } else {
            WriteU16(kLongStringWord);
            WriteU32(static_cast<uint32_t>(n));
        }
    }
    Append(bytes.data(), n);
}

void CArchive::WriteText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    WriteString(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

int CArchive::ReadBytes(void* out, size_t size) {
    if (!CheckLoading() || !Need(size)) return 0;
    if (size) memcpy(out, m_buffer.constData() + m_pos, size);
    m_pos += size;
    return 1;
}

QByteArray CArchive::ReadByteArray(size_t size) {
    if (!CheckLoading() || !Need(size)) return {};
    QByteArray out(m_buffer.constData() + m_pos, static_cast<qsizetype>(size));
    m_pos += size;
    return out;
}

std::string CArchive::ReadString() {
    if (!CheckLoading()) return {};
    uint32_t n = ReadU8();
    if (n == kLongStringByte) {
        n = ReadU16();
        // 0xFFFE marks wide-character text, which this program never writes.
        if (n == kFirst32BitLength) m_failed = true;
        if (n == kLongStringWord) n = ReadU32();
    }
    if (!Need(n)) return {};
    std::string out(m_buffer.constData() + m_pos, n);
    m_pos += n;
    return out;
}

QString CArchive::ReadText() {
    const std::string bytes = ReadString();
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

void CArchive::Transfer(std::string& value) {
    if (IsStoring())
        WriteString(value);
    else
        value = ReadString();
}

void CArchive::Transfer(QString& value) {
    if (IsStoring())
        WriteText(value);
    else
        value = ReadText();
}

void CArchive::Transfer(QPoint& value) {
    int32_t x = value.x(), y = value.y();
    Transfer(x);
    Transfer(y);
    if (!m_failed) value = QPoint(x, y);
}

void CArchive::Transfer(QPointF& value) {
    double x = value.x(), y = value.y();
    TransferFinite(x);
    TransferFinite(y);
    if (!m_failed) value = QPointF(x, y);
}

void CArchive::Transfer(QRect& value) {
    int32_t l = value.left(), t = value.top();
    int32_t r = value.left() + value.width(), b = value.top() + value.height();
    for (int32_t* v : {&l, &t, &r, &b}) Transfer(*v);
    if (!IsLoading() || m_failed) return;
    // Right and bottom lie just outside the rectangle: edges whose size or
    // last pixel is no int cannot come from a window and are damage.
    const int64_t width = int64_t{r} - l, height = int64_t{b} - t;
    if (width < INT32_MIN || width > INT32_MAX || height < INT32_MIN || height > INT32_MAX || r == INT32_MIN ||
        b == INT32_MIN) {
        m_failed = true;
        return;
    }
    value = QRect(QPoint(l, t), QSize(static_cast<int>(width), static_cast<int>(height)));
}

void CArchive::Transfer(QFont& value) {
    constexpr int32_t kDefaultHeight = 46;
    QString family = value.family();
    int32_t height = value.pixelSize() > 0 ? value.pixelSize() : kDefaultHeight;
    int32_t weight = value.weight();
    int32_t italic = value.italic() ? 1 : 0;
    Transfer(family);
    TransferRanged(height, 1, 10000);
    TransferRanged(weight, 1, 1000);
    TransferRanged(italic, 0, 1);
    if (IsStoring() || m_failed) return;
    value.setFamily(family);
    value.setPixelSize(height);
    value.setWeight(static_cast<QFont::Weight>(weight));
    value.setItalic(italic != 0);
}

void CArchive::Transfer(QColor& value) {
    uint32_t bgr = static_cast<uint32_t>(value.red()) | static_cast<uint32_t>(value.green()) << 8 |
                   static_cast<uint32_t>(value.blue()) << 16;
    Transfer(bgr);
    if (IsLoading() && !m_failed) value = QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void CArchive::TransferRanged(int32_t& value, int32_t low, int32_t high) {
    if (IsStoring()) {
        WriteI32(value);
        return;
    }
    const int32_t read = ReadI32();
    if (m_failed) return;
    if (read < low || read > high) {
        m_failed = true;
        return;
    }
    value = read;
}

namespace {
template <class F>
void TransferReal(CArchive& ar, F& value, bool positive) {
    F v = value;
    ar.Transfer(v);
    if (ar.IsStoring() || ar.Failed()) return;
    if (!std::isfinite(v) || (positive && v <= 0)) {
        ar.SetFailed();
        return;
    }
    value = v;
}
}  // namespace

void CArchive::TransferFinite(float& value, bool positive) { TransferReal(*this, value, positive); }

void CArchive::TransferFinite(double& value, bool positive) { TransferReal(*this, value, positive); }

void CArchive::WriteClassReference(uint32_t index) {
    if (index < kBigClassTag) {
        WriteU16(static_cast<uint16_t>(kClassTag | index));
    } else {
        WriteU16(kBigClassTag);
        WriteU32(kBigClassFlag | index);
    }
}

void CArchive::WriteClass(std::string_view className, uint16_t schema) {
    if (!CheckStoring()) return;
    if (className.empty() || className.size() > static_cast<size_t>(kMaxClassNameLength)) {
        m_failed = true;
        return;
    }
    const std::string key(className);
    if (auto it = m_storedClasses.find(key); it != m_storedClasses.end()) {
        WriteClassReference(it->second);
        return;
    }
    if (m_classCount >= kMaxClassCount) {
        m_failed = true;
        return;
    }
    WriteU16(kNewClassTag);
    WriteU16(schema);
    WriteU16(static_cast<uint16_t>(className.size()));
    Append(className.data(), className.size());
    m_storedClasses.emplace(key, m_classCount++);
}

// Reads the tag that opens a class record: either a new record or a reference
// to one seen before in this archive.
int CArchive::ReadClassTag(uint32_t* index, bool* isNew) {
    const uint16_t tag = ReadU16();
    if (m_failed) return 0;
    *isNew = tag == kNewClassTag;
    if (*isNew) return 1;
    if (tag == kBigClassTag) {
        const uint32_t big = ReadU32();
        if (m_failed || !(big & kBigClassFlag)) {
            m_failed = true;
            return 0;
        }
        *index = big & ~kBigClassFlag;
        return 1;
    }
    if (!(tag & kClassTag)) { // a null or object tag cannot start a class record
        m_failed = true;
        return 0;
    }
    *index = tag & ~kClassTag;
    return 1;
}

int CArchive::ReadNewClass(uint16_t* schema, std::string* name) {
    *schema = ReadU16();
    const uint16_t length = ReadU16();
    if (m_failed || length == 0 || length > kMaxClassNameLength || m_loadedClasses.size() >= kMaxClassCount) {
        m_failed = true;
        return 0;
    }
    const QByteArray bytes = ReadByteArray(length);
    if (m_failed) return 0;
    name->assign(bytes.constData(), static_cast<size_t>(bytes.size()));
    m_loadedClasses.push_back({*name, *schema});
    return 1;
}

int CArchive::ReadClass(std::string_view className, uint16_t* schema) {
    if (!CheckLoading()) return 0;
    uint32_t index = 0;
    bool isNew = false;
    if (!ReadClassTag(&index, &isNew)) return 0;
    ClassRecord record;
    if (isNew) {
        if (!ReadNewClass(&record.schema, &record.name)) return 0;
    } else {
        if (index == 0 || index >= m_loadedClasses.size()) {
            m_failed = true;
            return 0;
        }
        record = m_loadedClasses[index];
    }
    if (record.name != className) {
        m_failed = true;
        return 0;
    }
    if (schema) *schema = record.schema;
    return 1;
}

uint32_t CArchive::ReadCount(size_t elementSize, uint32_t maxCount) {
    const uint32_t count = ReadU32();
    if (m_failed) return 0;
    const bool fits = elementSize == 0 || count <= Remaining() / elementSize;
    if (count > maxCount || !fits) {
        m_failed = true;
        return 0;
    }
    return count;
}

int SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    std::string reason;
    if (::SaveFileAtomically(QFile::encodeName(path).toStdString(),
                             std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), &reason))
        return 1;
    if (error)
        *error = QCoreApplication::translate("CArchive", "Can not write %1: %2")
                     .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(reason.c_str()));
    return 0;
}

int LoadFileBytes(const QString& path, QByteArray* bytes, qint64 maxSize, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = file.errorString();
        return 0;
    }
    if (file.size() > maxSize) {
        if (error) *error = QStringLiteral("file is larger than %1 bytes").arg(maxSize);
        return 0;
    }
    const qint64 size = file.size();
    QByteArray data = file.read(size);
    if (data.size() != size || file.error() != QFileDevice::NoError) {
        if (error) *error = file.errorString();
        return 0;
    }
    *bytes = std::move(data);
    return 1;
}

