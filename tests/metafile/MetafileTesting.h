#pragma once

// Shared by the metafile tests: hand-built WMF and EMF files, walking the
// records of an EMF, and comparing pictures.

#include "metafile/GdiRecords.h"

#include <QByteArray>
#include <QImage>
#include <QtEndian>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace orv::testing {

// Little-endian fields appended one after another.
class TFields {
public:
    TFields& u16(uint16_t v) { return put(v); }
    TFields& i16(int16_t v) { return put(v); }
    TFields& u32(uint32_t v) { return put(v); }
    TFields& i32(int32_t v) { return put(v); }
    TFields& text(const QByteArray& bytes)
    {
        m_bytes += bytes;
        return *this;
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    template <typename T>
    TFields& put(T v)
    {
        char b[sizeof(T)];
        qToLittleEndian(v, b);
        m_bytes.append(b, sizeof(T));
        return *this;
    }
    QByteArray m_bytes;
};

// A plain WMF, behind a placeable header when given a bounding box.
class TWmfBuilder {
public:
    // A record: its function and 16-bit parameters.
    TWmfBuilder& record(uint16_t function, std::initializer_list<int> words, const QByteArray& tail = {})
    {
        TFields fields;
        const size_t size = 3 + words.size() + (tail.size() + 1) / 2;
        fields.u32(uint32_t(size)).u16(function);
        for (int w : words)
            fields.u16(uint16_t(w));
        QByteArray padded = tail;
        if (padded.size() % 2)
            padded.append('\0');
        m_records += fields.text(padded).bytes();
        return *this;
    }

    QByteArray build(bool placeable, QRect box = {}, uint16_t unitsPerInch = 1000, uint16_t objects = 8) const
    {
        QByteArray records = m_records + TFields().u32(3).u16(gdi::wmr::Eof).bytes();
        TFields header;
        header.u16(1).u16(9).u16(0x300).u32(uint32_t((18 + records.size()) / 2)).u16(objects).u32(64).u16(0);
        QByteArray file = header.bytes() + records;
        if (!placeable)
            return file;
        TFields prefix;
        prefix.u32(gdi::kPlaceableKey).u16(0);
        prefix.i16(int16_t(box.left())).i16(int16_t(box.top())).i16(int16_t(box.right())).i16(int16_t(box.bottom()));
        prefix.u16(unitsPerInch).u32(0).u16(0);
        return prefix.bytes() + file;
    }

private:
    QByteArray m_records;
};

// An EMF of hand-made records behind a header with the given frame
// (hundredths of a millimetre) and a 96 dpi reference device.
class TEmfBuilder {
public:
    TEmfBuilder& record(uint32_t type, const TFields& fields = {})
    {
        QByteArray body = fields.bytes();
        while (body.size() % 4)
            body.append('\0');
        m_records += TFields().u32(type).u32(uint32_t(8 + body.size())).text(body).bytes();
        ++m_count;
        return *this;
    }

    QByteArray build(QRect frame, uint16_t handles = 8) const
    {
        const QByteArray records = m_records + TFields().u32(gdi::emr::Eof).u32(20).u32(0).u32(16).u32(20).bytes();
        TFields header;
        header.u32(gdi::emr::Header).u32(88);
        header.i32(0).i32(0).i32(100).i32(100);
        header.i32(frame.left()).i32(frame.top()).i32(frame.right()).i32(frame.bottom());
        header.u32(gdi::kEmfSignature).u32(0x10000).u32(uint32_t(88 + records.size())).u32(uint32_t(m_count + 2));
        header.u16(handles).u16(0).u32(0).u32(0).u32(0);
        header.i32(960).i32(960).i32(254).i32(254); // 96 pixels per inch
        return header.bytes() + records;
    }

private:
    QByteArray m_records;
    int m_count = 0;
};

struct TEmfRecordView {
    uint32_t type = 0;
    QByteArray bytes; // the whole record
    uint32_t u32(int at) const { return qFromLittleEndian<uint32_t>(bytes.constData() + at); }
    int32_t i32(int at) const { return qFromLittleEndian<int32_t>(bytes.constData() + at); }
};

// The records of an EMF in file order; empty when one does not fit.
inline std::vector<TEmfRecordView> emfRecords(const QByteArray& emf)
{
    std::vector<TEmfRecordView> records;
    qsizetype at = 0;
    while (at + 8 <= emf.size()) {
        const uint32_t size = qFromLittleEndian<uint32_t>(emf.constData() + at + 4);
        if (size < 8 || at + size > emf.size())
            return {};
        records.push_back({qFromLittleEndian<uint32_t>(emf.constData() + at), emf.mid(at, size)});
        at += size;
    }
    return records;
}

// The share of pixels whose colour differs by more than `tolerance` in
// any channel.
inline double differingShare(const QImage& a, const QImage& b, int tolerance = 64)
{
    if (a.size() != b.size())
        return 1;
    int64_t differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) > tolerance || std::abs(qGreen(p) - qGreen(q)) > tolerance ||
                         std::abs(qBlue(p) - qBlue(q)) > tolerance;
        }
    return double(differing) / (int64_t(a.width()) * a.height());
}

} // namespace orv::testing
