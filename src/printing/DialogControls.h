#pragma once

#include <QLabel>
#include <QRect>
#include <QString>

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

inline QLabel* addLabel(const QString& text, QWidget* parent, const QRect& geometry, const char* objectName = nullptr)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    if (objectName)
        label->setObjectName(QLatin1String(objectName));
    return label;
}

} // namespace orv
