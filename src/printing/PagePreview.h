#pragma once

#include <QGroupBox>
#include <QSize>

class QFrame;
class QLabel;

namespace orv {

class TPageDrawing;

// The page outline in a preview group: the page scaled (to four decimals)
// so that its longer side fills the group less a margin, centred and moved
// down clear of the group's title.
QRect previewOutline(QSize page, QSize group);

// A dialog's page preview: a group holding a white page outline and, inset
// by a pixel, the page drawn to fit it.
class TPagePreview : public QGroupBox {
public:
    explicit TPagePreview(QWidget* parent);

    void showPage(const TPageDrawing& page);

private:
    QFrame* m_outline;
    QLabel* m_picture;
};

} // namespace orv
