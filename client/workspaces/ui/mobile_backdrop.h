#pragma once
// The mobile preview's page picture (892 × 460): a phone around the site
// viewer and a card for the QR code. Drawn here, so this file is its source.

#include <QPixmap>
#include <QRect>

namespace workspaces {

QRect mobile_backdrop_rect();
QRect mobile_viewer_rect();
QRect mobile_qr_rect();

QPixmap mobile_backdrop();

}  // namespace workspaces
