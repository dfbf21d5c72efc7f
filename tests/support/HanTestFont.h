#pragma once

// A tiny TrueType font whose one square glyph stands for every Chinese,
// Japanese and Korean character, so a test can see when Qt needs a CJK font.
// The same square can stand for every other character instead: a Latin
// stand-in, so that a test can name only fonts it made.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

namespace HanTestFont {

using Ranges = QList<QPair<quint32, quint32>>;

// The characters the CJK stand-in has.
inline Ranges HanRanges()
{
    return {{0x2E80, 0x2FDF}, {0x3000, 0x31FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
            {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFF00, 0xFFEF}};
}

// Every character below the CJK blocks: what an English page can show.
inline Ranges LatinRanges()
{
    return {{0x0020, 0x2E7F}};
}

namespace Detail {

inline void Put16(QByteArray& out, quint16 value)
{
    out.append(char(value >> 8)).append(char(value & 0xFF));
}

inline void Put32(QByteArray& out, quint32 value)
{
    Put16(out, quint16(value >> 16));
    Put16(out, quint16(value & 0xFFFF));
}

inline QByteArray Head()
{
    QByteArray t;
    Put32(t, 0x00010000); // version
    Put32(t, 0x00010000); // font revision
    Put32(t, 0);          // checksum adjustment
    Put32(t, 0x5F0F3CF5); // magic
    Put16(t, 0x000B);     // flags
    Put16(t, 1000);       // units per em
    for (int i = 0; i < 4; ++i)
        Put32(t, 0);      // created, modified
    Put16(t, 100);        // bounding box
    Put16(t, 0);
    Put16(t, 900);
    Put16(t, 800);
    Put16(t, 0);          // mac style
    Put16(t, 8);          // lowest readable size
    Put16(t, 2);          // direction hint
    Put16(t, 0);          // short offsets in loca
    Put16(t, 0);          // glyph data format
    return t;
}

inline QByteArray Hhea()
{
    QByteArray t;
    Put32(t, 0x00010000);
    Put16(t, 880);        // ascender
    Put16(t, quint16(-120));
    Put16(t, 0);          // line gap
    Put16(t, 1000);       // advance width max
    Put16(t, 0);          // min left side bearing
    Put16(t, 100);        // min right side bearing
    Put16(t, 900);        // x max extent
    Put16(t, 1);          // caret slope rise
    for (int i = 0; i < 7; ++i)
        Put16(t, 0);      // run, offset, reserved, metric data format
    Put16(t, 2);          // horizontal metrics
    return t;
}

inline QByteArray Maxp()
{
    QByteArray t;
    Put32(t, 0x00010000);
    Put16(t, 2);          // glyphs
    Put16(t, 4);          // points
    Put16(t, 1);          // contours
    Put16(t, 0);
    Put16(t, 0);
    Put16(t, 2);          // zones
    for (int i = 0; i < 8; ++i)
        Put16(t, 0);
    return t;
}

inline QByteArray Glyf()
{
    // Glyph 0 is empty; glyph 1 a square.
    QByteArray t;
    Put16(t, 1);
    Put16(t, 100);
    Put16(t, 0);
    Put16(t, 900);
    Put16(t, 800);
    Put16(t, 3);          // last point of the contour
    Put16(t, 0);          // no instructions
    t.append(QByteArray(4, char(0x01)));
    for (int dx : {100, 0, 800, 0})
        Put16(t, quint16(dx));
    for (int dy : {0, 800, 0, -800})
        Put16(t, quint16(dy));
    return t;
}

inline QByteArray Loca(int glyphLength)
{
    QByteArray t;
    Put16(t, 0);
    Put16(t, 0);
    Put16(t, quint16(glyphLength / 2));
    return t;
}

inline QByteArray Hmtx()
{
    QByteArray t;
    Put16(t, 1000);
    Put16(t, 0);
    Put16(t, 1000);
    Put16(t, 100);
    return t;
}

inline QByteArray Cmap(const Ranges& ranges)
{
    // Format 13: every character of a range maps to the same glyph.
    QByteArray sub;
    Put16(sub, 13);
    Put16(sub, 0);
    Put32(sub, quint32(16 + 12 * ranges.size()));
    Put32(sub, 0);
    Put32(sub, quint32(ranges.size()));
    for (const auto& range : ranges) {
        Put32(sub, range.first);
        Put32(sub, range.second);
        Put32(sub, 1);
    }
    QByteArray t;
    Put16(t, 0);
    Put16(t, 1);
    Put16(t, 3);          // Windows
    Put16(t, 10);         // full repertoire
    Put32(t, 12);
    return t + sub;
}

inline QByteArray Name(const QString& family)
{
    const QList<QPair<int, QString>> names = {
        {1, family}, {2, QStringLiteral("Regular")}, {4, family}, {6, QString(family).remove(QLatin1Char(' '))}};
    QByteArray strings;
    QByteArray t;
    Put16(t, 0);
    Put16(t, quint16(names.size()));
    Put16(t, quint16(6 + 12 * names.size()));
    for (const auto& name : names) {
        QByteArray utf16;
        for (QChar c : name.second)
            Put16(utf16, c.unicode());
        Put16(t, 3);
        Put16(t, 1);
        Put16(t, 0x0409);
        Put16(t, quint16(name.first));
        Put16(t, quint16(utf16.size()));
        Put16(t, quint16(strings.size()));
        strings += utf16;
    }
    return t + strings;
}

inline QByteArray Post()
{
    QByteArray t;
    Put32(t, 0x00030000);
    for (int i = 0; i < 7; ++i)
        Put32(t, 0);
    return t;
}

} // namespace Detail

// The font file's bytes, with the given family name and characters.
inline QByteArray Bytes(const QString& family, const Ranges& ranges = HanRanges())
{
    using namespace Detail;
    const QByteArray glyf = Glyf();
    // Sorted by tag, as the table directory must be.
    const QList<QPair<QByteArray, QByteArray>> tables = {
        {"cmap", Cmap(ranges)}, {"glyf", glyf}, {"head", Head()}, {"hhea", Hhea()}, {"hmtx", Hmtx()},
        {"loca", Loca(glyf.size())}, {"maxp", Maxp()}, {"name", Name(family)}, {"post", Post()}};
    QByteArray font;
    Put32(font, 0x00010000);
    Put16(font, quint16(tables.size()));
    Put16(font, 128);     // search range for 9 tables
    Put16(font, 3);
    Put16(font, quint16(tables.size() * 16 - 128));
    quint32 offset = quint32(12 + 16 * tables.size());
    QByteArray data;
    for (const auto& table : tables) {
        font.append(table.first);
        Put32(font, 0);   // checksum: not checked by the readers
        Put32(font, offset + quint32(data.size()));
        Put32(font, quint32(table.second.size()));
        data += table.second;
        while (data.size() % 4)
            data.append('\0');
    }
    return font + data;
}

// Writes the font to a file; false when it cannot.
inline bool Write(const QString& path, const QString& family, const Ranges& ranges = HanRanges())
{
    const QByteArray bytes = Bytes(family, ranges);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace HanTestFont
