#pragma once

#include <QIcon>
#include <QString>

#include <cstdint>

class QStyle;

namespace orv {

// The two image sets of the standard toolbar buttons: style 0 draws Qt's own
// standard pixmaps, style 1 the symbolic icons of the Adwaita theme
// installed with the desktop (Qt's pixmap stands in when a file is missing).
QIcon toolbarIcon(const QString& controlName, int32_t toolbarStyle, const QStyle& style);

} // namespace orv
