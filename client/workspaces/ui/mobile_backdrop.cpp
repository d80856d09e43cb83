#include "client/workspaces/ui/mobile_backdrop.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace workspaces {

namespace {

const QColor kDeepBlue(0x15, 0x65, 0xC0);
const QColor kSkyBlue(0x42, 0xA5, 0xF5);
const QColor kPanelGrey(0xF5, 0xF5, 0xF5);
const QColor kTextGrey(0x61, 0x61, 0x61);

}  // namespace

QRect mobile_backdrop_rect()
{
    return {4, 2, 892, 460};
}

QRect mobile_viewer_rect()
{
    return {150, 8, 330, 448};
}

QRect mobile_qr_rect()
{
    return {612, 120, 172, 168};
}

QPixmap mobile_backdrop()
{
    const QRect area = mobile_backdrop_rect();
    QPixmap picture(area.size());
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, area.height());
    sky.setColorAt(0, QColor(0xE3, 0xF2, 0xFD));
    sky.setColorAt(1, Qt::white);
    painter.fillRect(picture.rect(), sky);

    // The phone: a dark rounded body a little larger than the viewer.
    const QRect viewer = mobile_viewer_rect().translated(-area.topLeft());
    QPainterPath body;
    body.addRoundedRect(QRectF(viewer.adjusted(-14, -6, 14, 6)), 26, 26);
    painter.fillPath(body, QColor(0x26, 0x32, 0x38));
    painter.fillRect(viewer, Qt::white);

    // The QR card with its caption.
    const QRect qr = mobile_qr_rect().translated(-area.topLeft());
    const QRect card = qr.adjusted(-28, -64, 28, 72);
    QPainterPath card_path;
    card_path.addRoundedRect(QRectF(card), 12, 12);
    painter.fillPath(card_path, Qt::white);
    painter.setPen(QPen(kSkyBlue, 2));
    painter.drawPath(card_path);
    painter.fillRect(qr.adjusted(-4, -4, 4, 4), kPanelGrey);

    QFont heading = painter.font();
    heading.setPixelSize(18);
    heading.setBold(true);
    painter.setFont(heading);
    painter.setPen(kDeepBlue);
    painter.drawText(QRect(card.left(), card.top() + 14, card.width(), 30), Qt::AlignCenter,
                     QStringLiteral("手机网站"));
    QFont caption = painter.font();
    caption.setPixelSize(13);
    caption.setBold(false);
    painter.setFont(caption);
    painter.setPen(kTextGrey);
    painter.drawText(QRect(card.left(), qr.bottom() + 16, card.width(), 44), Qt::AlignCenter,
                     QStringLiteral("扫一扫二维码\n在手机上打开您的网站"));
    painter.end();
    return picture;
}

}  // namespace workspaces
