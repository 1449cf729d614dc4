#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace orv {

// A named control at a fixed place in a dialog; a caption, when given, goes
// to its constructor. Tests and the interface texts find controls by name.
template <typename Widget, typename... Caption>
Widget* addControl(QWidget* parent, const char* objectName, const QRect& geometry, const Caption&... caption)
{
    auto* widget = new Widget(caption..., parent);
    widget->setObjectName(QLatin1String(objectName));
    widget->setGeometry(geometry);
    return widget;
}

// The whole number a box's text starts with (after blanks, with an optional
// sign), 0 when it starts with none: "12 pages" reads 12. Its size is held
// to a billion, far beyond any page count, copy count or zoom; callers keep
// the number to what they can use.
inline int32_t leadingNumber(const QString& text)
{
    constexpr int64_t kLargest = 1'000'000'000;
    const QString trimmed = text.trimmed();
    const bool negative = trimmed.startsWith(QLatin1Char('-'));
    qsizetype i = negative || trimmed.startsWith(QLatin1Char('+')) ? 1 : 0;
    int64_t value = 0;
    for (; i < trimmed.size() && trimmed[i] >= QLatin1Char('0') && trimmed[i] <= QLatin1Char('9'); ++i)
        value = std::min(value * 10 + (trimmed[i].unicode() - u'0'), kLargest);
    return static_cast<int32_t>(negative ? -value : value);
}

inline QLabel* addLabel(const QString& text, QWidget* parent, const QRect& geometry, const char* objectName = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    if (objectName)
        label->setObjectName(QLatin1String(objectName));
    return label;
}

} // namespace orv
