#include "platform/rozuri/FlashImageCodec.h"

#include <QVector>

#include <algorithm>
#include <vector>

namespace {

const unsigned char kMagic0 = 0xD7;
const unsigned char kMagic1 = 0x1A;
const unsigned char kLayoutVersion = 1;
const unsigned char kRawSlot = 0x80;

quint8 byteAt(const QByteArray &bytes, int index)
{
    return static_cast<quint8>(bytes.at(index));
}

quint32 readLe(const char *p, int width)
{
    quint32 value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | static_cast<quint8>(p[i]);
    return value;
}

void appendLeb128(QByteArray *out, quint32 value)
{
    do {
        quint8 b = value & 0x7F;
        value >>= 7;
        if (value != 0)
            b |= 0x80;
        out->append(static_cast<char>(b));
    } while (value != 0);
}

int kindIndex(quint8 kind)
{
    switch (kind) {
    case 0: return 0;
    case 1: return 1;
    case 2: return 2;
    case 4: return 3;
    default: return -1;
    }
}

// One event slot in its packed form.
QByteArray packSlot(const char *slot)
{
    QByteArray out;
    const quint8 action = static_cast<quint8>(slot[0]);
    const int kind = kindIndex(static_cast<quint8>(slot[1]));
    if (action > 1 || kind < 0) {
        out.append(static_cast<char>(kRawSlot));
        out.append(slot, FlashImageCodec::kEventSize);
        return out;
    }
    out.append(static_cast<char>(action | (kind << 1)));
    appendLeb128(&out, readLe(slot + 2, 2));
    appendLeb128(&out, readLe(slot + 4, 4));
    return out;
}

int trimmedLength(const char *p, int length, int unit)
{
    for (int n = length / unit; n > 0; --n) {
        for (int i = 0; i < unit; ++i) {
            if (p[(n - 1) * unit + i] != 0)
                return n;
        }
    }
    return 0;
}

// Reads the pool with bounds checks; any overrun makes the image malformed.
class PoolReader {
public:
    PoolReader(const char *data, int size) : data_(data), size_(size) {}
    bool byte(quint8 *out)
    {
        if (pos_ >= size_)
            return false;
        *out = static_cast<quint8>(data_[pos_++]);
        return true;
    }
    bool bytes(char *out, int n)
    {
        if (n < 0 || pos_ + n > size_)
            return false;
        std::copy(data_ + pos_, data_ + pos_ + n, out);
        pos_ += n;
        return true;
    }
    bool leb128(quint32 *out, int maxBits)
    {
        quint64 value = 0;
        for (int shift = 0; shift < maxBits + 7; shift += 7) {
            quint8 b = 0;
            if (!byte(&b))
                return false;
            value |= static_cast<quint64>(b & 0x7F) << shift;
            if ((b & 0x80) == 0) {
                if (value >> maxBits)
                    return false;
                *out = static_cast<quint32>(value);
                return true;
            }
        }
        return false;
    }
    int position() const { return pos_; }

private:
    const char *data_;
    int size_;
    int pos_ = 0;
};

void writeLe(char *p, quint32 value, int width)
{
    for (int i = 0; i < width; ++i) {
        p[i] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
}

} // namespace

quint16 FlashImageCodec::crc16(const char *data, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i) {
        crc ^= static_cast<quint16>(static_cast<quint8>(data[i]) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<quint16>((crc << 1) ^ 0x1021) : static_cast<quint16>(crc << 1);
    }
    return crc;
}

QByteArray FlashImageCodec::encode(const QByteArray &recordIn)
{
    QByteArray record = recordIn.left(kRecordSize);
    record.append(QByteArray(kRecordSize - record.size(), '\0'));

    QByteArray image(kImageSize, '\0');
    image[0] = static_cast<char>(kMagic0);
    image[1] = static_cast<char>(kMagic1);
    image[2] = static_cast<char>(kLayoutVersion);
    std::copy(record.constData(), record.constData() + kMacroBlocks, image.data() + kImageHeaderSize);

    // Names first, so that a full pool only ever costs events.
    struct Macro {
        const char *block;
        int nameBytes;
        int slots;
        QVector<QByteArray> packed;
    };
    QVector<Macro> macros;
    int headerBytes = 0;
    for (int b = 0; b < kButtons; ++b) {
        Macro m;
        m.block = record.constData() + kMacroBlocks + b * kMacroBlockSize;
        m.nameBytes = trimmedLength(m.block + 1, kMacroNameSize, 1);
        const int used = std::min<int>(static_cast<quint8>(m.block[kMacroEventCount]), kMacroSlots);
        m.slots = std::max(used, trimmedLength(m.block + kMacroEvents, kMacroSlots * kEventSize, kEventSize));
        for (int s = 0; s < m.slots; ++s)
            m.packed.append(packSlot(m.block + kMacroEvents + s * kEventSize));
        headerBytes += 4 + m.nameBytes;
        macros.append(m);
    }

    int eventBudget = kPoolSize - headerBytes;
    QByteArray pool;
    for (const Macro &m : macros) {
        int kept = 0;
        int size = 0;
        while (kept < m.slots && size + m.packed[kept].size() <= eventBudget) {
            size += m.packed[kept].size();
            ++kept;
        }
        eventBudget -= size;
        quint8 count = static_cast<quint8>(m.block[kMacroEventCount]);
        if (kept < m.slots && count > kept)
            count = static_cast<quint8>(kept);
        pool.append(m.block[0]);
        pool.append(static_cast<char>(count));
        pool.append(static_cast<char>(m.nameBytes));
        pool.append(m.block + 1, m.nameBytes);
        pool.append(static_cast<char>(kept));
        for (int s = 0; s < kept; ++s)
            pool.append(m.packed[s]);
    }
    std::copy(pool.constData(), pool.constData() + pool.size(), image.data() + kPoolOffset);
    writeLe(image.data() + 4, static_cast<quint32>(pool.size()), 2);
    writeLe(image.data() + 6, crc16(image.constData() + kImageHeaderSize, kImageSize - kImageHeaderSize), 2);
    return image;
}

bool FlashImageCodec::decode(const QByteArray &image, QByteArray *recordOut)
{
    if (!recordOut || image.size() < kImageSize)
        return false;
    if (byteAt(image, 0) != kMagic0 || byteAt(image, 1) != kMagic1 || byteAt(image, 2) != kLayoutVersion)
        return false;
    const quint32 crc = readLe(image.constData() + 6, 2);
    if (crc != crc16(image.constData() + kImageHeaderSize, kImageSize - kImageHeaderSize))
        return false;
    const int poolUsed = static_cast<int>(readLe(image.constData() + 4, 2));
    if (poolUsed > kPoolSize)
        return false;

    std::vector<char> record(kRecordSize, '\0');
    std::copy(image.constData() + kImageHeaderSize, image.constData() + kPoolOffset, record.data());
    PoolReader reader(image.constData() + kPoolOffset, poolUsed);
    for (int b = 0; b < kButtons; ++b) {
        char *block = record.data() + kMacroBlocks + b * kMacroBlockSize;
        quint8 nameLength = 0, count = 0, nameBytes = 0, slots = 0;
        if (!reader.byte(&nameLength) || !reader.byte(&count) || !reader.byte(&nameBytes))
            return false;
        if (nameBytes > kMacroNameSize || !reader.bytes(block + 1, nameBytes) || !reader.byte(&slots))
            return false;
        if (slots > kMacroSlots)
            return false;
        block[0] = static_cast<char>(nameLength);
        block[kMacroEventCount] = static_cast<char>(count);
        for (int s = 0; s < slots; ++s) {
            char *slot = block + kMacroEvents + s * kEventSize;
            quint8 head = 0;
            if (!reader.byte(&head))
                return false;
            if (head == kRawSlot) {
                if (!reader.bytes(slot, kEventSize))
                    return false;
                continue;
            }
            if (head > 7)
                return false;
            static const quint8 kinds[] = {0, 1, 2, 4};
            quint32 usage = 0, delay = 0;
            if (!reader.leb128(&usage, 16) || !reader.leb128(&delay, 32))
                return false;
            slot[0] = static_cast<char>(head & 1);
            slot[1] = static_cast<char>(kinds[head >> 1]);
            writeLe(slot + 2, usage, 2);
            writeLe(slot + 4, delay, 4);
        }
    }
    if (reader.position() != poolUsed)
        return false;
    *recordOut = QByteArray(record.data(), kRecordSize);
    return true;
}

QByteArray FlashImageCodec::defaultRecord()
{
    QByteArray r(kRecordSize, '\0');
    auto set = [&r](std::size_t offset, std::initializer_list<int> values) {
        for (int v : values)
            r[static_cast<int>(offset++)] = static_cast<char>(v);
    };
    // 1000 Hz, five of eight DPI levels with level 1 current.
    set(0, {1, 5, 1, 0, 0, 1, 8, 0, 6, 0, 0, 0, 0, 6, 0, 0, 0});
    // 400, 800, 1600, 3200, 6400, 12800, 25600, 26000 DPI in steps of 50/100.
    const int codes[8][3] = {{7, 7, 0x00}, {15, 15, 0x00}, {31, 31, 0x00}, {63, 63, 0x00},
                             {127, 127, 0x00}, {127, 127, 0x22}, {127, 127, 0x33}, {129, 129, 0x33}};
    const int colours[8][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0},
                               {255, 0, 255}, {0, 255, 255}, {255, 128, 0}, {255, 255, 255}};
    for (int i = 0; i < 8; ++i) {
        set(kDpiLevels + kDpiLevelSize * i,
            {codes[i][0], codes[i][1], codes[i][2], colours[i][0], colours[i][1], colours[i][2]});
    }
    set(kDpiLed, {1, 255, 3, 1});
    set(kLedBar, {1, 0, 128, 255, 4, 9, 1});
    // Left, right, middle, back, forward, DPI cycle; the rest disabled.
    set(kButtonHeaders, {1, 1, 0, 1, 2, 0, 1, 4, 0, 1, 8, 0, 1, 16, 0, 2, 1, 0});
    return r;
}
