#include "client/workspaces/ui/wechat_page.h"

#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/picture_box.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace workspaces {

namespace {

// The page's only content: a calm panel with the feature's icon and name.
// Drawn here, so this function is the picture's source.
QPixmap wechat_panel(QSize size)
{
    QPixmap picture(size);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(0xE3, 0xF2, 0xFD));
    sky.setColorAt(1, Qt::white);
    painter.fillRect(picture.rect(), sky);

    const QRect badge(size.width() / 2 - 48, size.height() / 2 - 110, 96, 96);
    QPainterPath circle;
    circle.addEllipse(QRectF(badge));
    painter.fillPath(circle, QColor(0x42, 0xA5, 0xF5));
    const QPixmap icon = ui::art::pixmap(ui::art::feature_wechat);
    if (!icon.isNull())
        painter.drawPixmap(badge.adjusted(20, 20, -20, -20), icon);

    QFont heading = painter.font();
    heading.setPixelSize(22);
    heading.setBold(true);
    painter.setFont(heading);
    painter.setPen(QColor(0x15, 0x65, 0xC0));
    painter.drawText(QRect(0, badge.bottom() + 20, size.width(), 34), Qt::AlignCenter,
                     QStringLiteral("微商营销"));
    painter.end();
    return picture;
}

}  // namespace

WechatPage::WechatPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("WechatPage"));
    auto* panel = new ui::PictureBox(this);
    panel->setGeometry(0, 0, 900, 465);
    panel->set_picture(wechat_panel(panel->size()));
}

}  // namespace workspaces
