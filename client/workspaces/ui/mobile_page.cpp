#include "client/workspaces/ui/mobile_page.h"

#include "client/account/account_session.h"
#include "client/ui/app_context.h"
#include "client/ui/browser_agent.h"
#include "client/ui/picture_box.h"
#include "client/web/http.h"
#include "client/workspaces/ui/hosted_browser.h"
#include "client/workspaces/ui/image_to_format.h"
#include "client/workspaces/ui/mobile_backdrop.h"
#include "client/workspaces/ui/page_load_wait.h"
#include "client/workspaces/workspace_addresses.h"

#include <QLabel>
#include <QPixmap>
#include <QUrl>
#include <QWebEngineView>

namespace workspaces {

MobilePage::MobilePage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("MobilePage"));

    m_backdrop = new ui::PictureBox(this);
    m_backdrop->setObjectName(QStringLiteral("图片框10"));
    m_backdrop->setGeometry(mobile_backdrop_rect());

    m_phone_browser = make_hosted_browser(this, QStringLiteral("互联网浏览器_手机"));
    m_phone_browser->setGeometry(mobile_viewer_rect());
    m_phone_browser->hide();

    m_viewer = make_html_viewer(this, QStringLiteral("超文本浏览框3"));
    m_viewer->setGeometry(mobile_viewer_rect());

    m_qr_code = new ui::PictureBox(this);
    m_qr_code->setObjectName(QStringLiteral("图片框_二维码"));
    m_qr_code->setGeometry(mobile_qr_rect());
    m_qr_code->set_mode(ui::PictureBox::Mode::Scaled);

    const QRect viewer = mobile_viewer_rect();
    m_loading_picture = make_loading_picture(this, QStringLiteral("图片框11"),
                                             viewer.center().x() - 50, viewer.center().y() - 50);
}

void MobilePage::run_page_work(std::function<void()> done)
{
    const int generation = ++m_generation;
    if (m_done)
        m_done();  // an opening still waiting gives way to this one
    m_done = std::move(done);
    m_qr_done = false;
    m_viewer_done = false;

    show_loading_picture(m_loading_picture);
    m_viewer->hide();

    ui::set_browser_user_agent(QString::fromLatin1(kMobileUserAgent));

    const account::AccountRecord& record = m_context.session->record();
    const QUrl site(QString::fromStdString(record.site_url));
    if (site.isValid() && !site.scheme().isEmpty()) {
        wait_for_next_load(m_viewer->page(), kPageLoadLimitMs, this,
                           {{}, [this, generation](bool) {
                                if (generation != m_generation)
                                    return;
                                m_viewer_done = true;
                                finish(generation);
                            }});
        m_viewer->load(site);
    } else {
        m_viewer_done = true;
    }

    const std::string qr_url = qr_code_url(web::Endpoints::base(m_context.endpoints.account_server),
                                           record.web_url);
    // The job ends before this page does (its owner joins it), so the queued
    // call always has a live receiver or is dropped with the receiver's events.
    m_qr_job.start([this, generation, qr_url](std::stop_token stop) {
        web::HttpRequest request;
        request.url = qr_url;
        request.stop = stop;
        std::string reply = web::http_request(request);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, reply = std::move(reply)] { show_qr_code(generation, reply); },
            Qt::QueuedConnection);
    });

    if (!is_shown_page(this)) {
        m_backdrop->set_picture(mobile_backdrop());
        Q_EMIT select_requested();
    }
}

void MobilePage::show_qr_code(int generation, const std::string& reply)
{
    if (generation != m_generation)
        return;
    std::string jpeg;
    QPixmap picture;
    if (image_to_format(reply, kJpeg, {}, jpeg))
        picture.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()),
                             static_cast<uint>(jpeg.size()), "JPEG");
    m_qr_code->set_picture(picture);
    m_qr_done = true;
    finish(generation);
}

void MobilePage::finish(int generation)
{
    if (generation != m_generation || !m_qr_done || !m_viewer_done)
        return;
    hide_loading_picture(m_loading_picture);
    m_viewer->show();
    if (auto done = std::move(m_done)) {
        m_done = nullptr;
        done();
    }
}

}  // namespace workspaces
