#include "printing/PagePreview.h"

#include "platform/Rounding.h"
#include "render/PageRenderer.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace orv {

QRect previewOutline(QSize page, QSize group)
{
    const double ratio = roundToFourDecimals(
        page.width() > page.height() ? static_cast<double>(group.width() - 24) / page.width()
                                     : static_cast<double>(group.height() - 24) / page.height());
    const int width = truncated(page.width() * ratio);
    const int height = truncated(page.height() * ratio);
    return QRect(group.width() / 2 - width / 2, group.height() / 2 - height / 2 + 6, width, height);
}

TPagePreview::TPagePreview(QWidget* parent) : QGroupBox(QStringLiteral(" Preview "), parent)
{
    m_outline = new QFrame(this);
    m_outline->setObjectName(QStringLiteral("shpPage"));
    m_outline->setFrameShape(QFrame::Box);
    m_outline->setAutoFillBackground(true);
    QPalette paper = m_outline->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::black);
    m_outline->setPalette(paper);
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("imgPagePreview"));
}

void TPagePreview::showPage(const TPageDrawing& page)
{
    if (page.size().isEmpty())
        return;
    const QRect outline = previewOutline(page.size(), size());
    m_outline->setGeometry(outline);
    const QRect inside = outline.adjusted(1, 1, -1, -1);
    m_picture->setGeometry(inside);
    if (inside.isEmpty())
        return;

    QPixmap picture(inside.size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const double scale = std::min(static_cast<double>(inside.width()) / page.size().width(),
                                  static_cast<double>(inside.height()) / page.size().height());
    painter.scale(scale, scale);
    page.play(painter);
    painter.end();
    m_picture->setPixmap(picture);
}

} // namespace orv
