#pragma once
// The client's own pictures, carried in the program as Qt resources
// (client/assets). Every path here has its role listed in
// client/assets/README.md.

#include <QByteArray>
#include <QImage>
#include <QPixmap>

namespace ui::art {

// Feature row
inline constexpr const char* highlight = ":/art/frame/highlight.png";
inline constexpr const char* highlight_hover = ":/art/frame/highlight_hover.png";
inline constexpr const char* feature_checkup = ":/art/feature/checkup.png";
inline constexpr const char* feature_content = ":/art/feature/content.png";
inline constexpr const char* feature_mobile = ":/art/feature/mobile.png";
inline constexpr const char* feature_statistics = ":/art/feature/statistics.png";
inline constexpr const char* feature_order = ":/art/feature/order.png";
inline constexpr const char* feature_marketing = ":/art/feature/marketing.png";
inline constexpr const char* feature_publishing = ":/art/feature/publishing.png";
inline constexpr const char* feature_regional = ":/art/feature/regional.png";
inline constexpr const char* feature_wechat = ":/art/feature/wechat.png";

// Title strip
inline constexpr const char* close = ":/art/title/close.png";
inline constexpr const char* close_hover = ":/art/title/close_hover.png";
inline constexpr const char* close_down = ":/art/title/close_down.png";
inline constexpr const char* minimise = ":/art/title/minimise.png";
inline constexpr const char* minimise_hover = ":/art/title/minimise_hover.png";
inline constexpr const char* minimise_down = ":/art/title/minimise_down.png";
inline constexpr const char* skin = ":/art/title/skin.png";
inline constexpr const char* skin_hover = ":/art/title/skin_hover.png";
inline constexpr const char* skin_down = ":/art/title/skin_down.png";
inline constexpr const char* menu = ":/art/title/menu.png";
inline constexpr const char* menu_hover = ":/art/title/menu_hover.png";
inline constexpr const char* menu_down = ":/art/title/menu_down.png";
inline constexpr const char* app_icon = ":/art/title/app_icon.png";

// Account panel
inline constexpr const char* sign_in = ":/art/account/sign_in.png";
inline constexpr const char* sign_in_hover = ":/art/account/sign_in_hover.png";
inline constexpr const char* register_ = ":/art/account/register.png";
inline constexpr const char* register_hover = ":/art/account/register_hover.png";
inline constexpr const char* sign_out = ":/art/account/sign_out.png";
inline constexpr const char* sign_out_hover = ":/art/account/sign_out_hover.png";
inline constexpr const char* badge_basic = ":/art/account/badge_basic.png";        // 基础版
inline constexpr const char* badge_standard = ":/art/account/badge_standard.png";  // 标准版
inline constexpr const char* badge_premium = ":/art/account/badge_premium.png";    // 至尊版
inline constexpr const char* signed_out_panel = ":/art/account/signed_out.png";    // 图片框6
inline constexpr const char* recommend_panel = ":/art/account/recommend_panel.png";  // 图片框4
inline constexpr const char* recommend_1 = ":/art/account/recommend_1.png";
inline constexpr const char* recommend_2 = ":/art/account/recommend_2.png";
inline constexpr const char* recommend_3 = ":/art/account/recommend_3.png";

// Check-up page
inline constexpr const char* check_now = ":/art/checkup/check_now.png";
inline constexpr const char* check_now_hover = ":/art/checkup/check_now_hover.png";
inline constexpr const char* check_now_down = ":/art/checkup/check_now_down.png";
inline constexpr const char* tick = ":/art/checkup/tick.png";
inline constexpr const char* separator = ":/art/checkup/separator.png";
inline constexpr const char* separator_alt = ":/art/checkup/separator_alt.png";
inline constexpr const char* computer_warning = ":/art/checkup/computer_warning.png";
inline constexpr const char* computer_safe = ":/art/checkup/computer_safe.png";
inline constexpr const char* checkup_progress = ":/art/checkup/progress.png";
inline constexpr const char* checkup_running = ":/art/checkup/running.png";
inline constexpr const char* checkup_idle = ":/art/checkup/idle.png";
inline constexpr const char* checkup_done = ":/art/checkup/done.png";

// Status line
inline constexpr const char* connected = ":/art/status/connected.png";
inline constexpr const char* disconnected = ":/art/status/disconnected.png";

// Waiting and working
inline constexpr const char* loading = ":/art/busy/loading.gif";            // 100×100, animated
inline constexpr const char* search_busy = ":/art/busy/search_busy.gif";    // 128×128, animated
inline constexpr const char* search_idle = ":/art/busy/search_idle.jpg";    // 128×128
inline constexpr const char* search_button = ":/art/busy/search_button.png";            // 89×31
inline constexpr const char* search_button_busy = ":/art/busy/search_button_busy.png";  // 89×31
inline constexpr const char* publish_busy = ":/art/busy/publish_busy.gif";
inline constexpr const char* publish_idle = ":/art/busy/publish_idle.png";
inline constexpr const char* publish_done = ":/art/busy/publish_done.png";

// Skin center
inline constexpr const char* dialog_close = ":/art/skin/close.png";
inline constexpr const char* dialog_close_hover = ":/art/skin/close_hover.png";
inline constexpr const char* dialog_close_down = ":/art/skin/close_down.png";
inline constexpr const char* skin_mark = ":/art/skin/mark.png";

// Backgrounds
inline constexpr const char* builtin_background = ":/art/background/builtin.jpg";  // 1175×600
inline constexpr const char* design_background = ":/art/background/design.jpg";    // 900×600

// The resource's bytes; empty when absent.
QByteArray bytes(const char* path);
// Decoded once and kept; null when absent.
QImage image(const char* path);
QPixmap pixmap(const char* path);

}  // namespace ui::art
