#include "client/workspaces/ui/publishing_page.h"

#include "client/account/account_session.h"
#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/find_control.h"
#include "client/ui/seams.h"
#include "client/web/ui/browser_document.h"
#include "client/workspaces/publishing_run.h"
#include "client/workspaces/ui/hosted_browser.h"
#include "client/workspaces/ui/page_load_wait.h"
#include "client/workspaces/workspace_addresses.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QUrl>
#include <QWebEngineView>

namespace workspaces {

namespace {

const QString kPublish = QStringLiteral("发布");
const QString kCancelPublish = QStringLiteral("取消发布");
const QString kPublished = QStringLiteral("发布成功");

enum Column { kTickColumn = 0, kNameColumn = 1, kAddressColumn = 2, kResultColumn = 3 };

QString result_text(int published)
{
    return QStringLiteral("本次共发布了%1个平台").arg(published);
}

}  // namespace

PublishingPage::PublishingPage(ui::AppContext& context, QWidget* parent)
    : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("PublishingPage"));

    m_viewer = make_html_viewer(this, QStringLiteral("超文本浏览框2"));
    m_viewer->setGeometry(0, 0, 560, 465);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("超级列表框1"));
    m_list->setGeometry(566, 6, 328, 380);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("选择"), QStringLiteral("平台名称"),
                             QStringLiteral("平台网址"), QStringLiteral("发布结果")});
    m_list->setColumnWidth(kTickColumn, 40);
    m_list->setColumnWidth(kNameColumn, 90);
    m_list->setColumnWidth(kAddressColumn, 120);
    m_list->hide();
    connect(m_list, &QTreeWidget::itemChanged, this, &PublishingPage::on_item_changed);

    m_select_all = new QCheckBox(QStringLiteral("全选"), this);
    m_select_all->setObjectName(QStringLiteral("选择框_全选"));
    m_select_all->setGeometry(570, 394, 60, 24);
    connect(m_select_all, &QCheckBox::clicked, this, &PublishingPage::on_select_all);

    m_publish = new QPushButton(kPublish, this);
    m_publish->setObjectName(QStringLiteral("按钮_发布"));
    m_publish->setGeometry(700, 392, 86, 28);
    m_publish->hide();
    connect(m_publish, &QPushButton::clicked, this, &PublishingPage::on_publish);

    m_refresh = new QPushButton(QStringLiteral("刷新"), this);
    m_refresh->setObjectName(QStringLiteral("按钮_刷新"));
    m_refresh->setGeometry(796, 392, 86, 28);
    m_refresh->hide();
    connect(m_refresh, &QPushButton::clicked, this, &PublishingPage::on_refresh);

    m_status_picture = new QLabel(this);
    m_status_picture->setObjectName(QStringLiteral("图片框2"));
    m_status_picture->setGeometry(570, 428, 28, 28);
    m_status_picture->setScaledContents(true);
    m_status_picture->setAttribute(Qt::WA_TranslucentBackground);

    m_done_caption = make_caption(this, QStringLiteral("透明标签_完成提示"), QStringLiteral("未发布"));
    m_done_caption->setGeometry(604, 432, 80, 20);
    m_done_caption->hide();
    m_result_caption = make_caption(this, QStringLiteral("透明标签_发布结果"), result_text(0));
    m_result_caption->setGeometry(690, 432, 200, 20);
    m_result_caption->hide();

    m_loading_picture = make_loading_picture(this, QStringLiteral("图片框8"), 400, 160);
    m_loading_caption = make_caption(this, QStringLiteral("透明标签_载入提示"), QStringLiteral("载入中..."));
    m_loading_caption->setGeometry(415, 265, 80, 20);
    m_loading_caption->hide();

    set_status(Status::Idle);
}

void PublishingPage::run_page_work(std::function<void()> done)
{
    const int generation = ++m_work_generation;
    if (m_done)
        m_done();  // an opening still waiting gives way to this one
    m_done = std::move(done);

    m_loading_caption->show();
    m_loading_caption->raise();
    show_loading_picture(m_loading_picture);

    const QUrl page(QString::fromStdString(seo_page_url(web::Endpoints::base(m_context.endpoints.service_site))));
    m_viewer_pending = true;
    wait_for_next_load(m_viewer->page(), kPageLoadLimitMs, this, {{}, [this, generation](bool) {
                                                                      m_viewer_pending = false;
                                                                      try_finish(generation);
                                                                  }});
    m_viewer->load(page);

    if (m_list_state == 1) {
        m_list_state = 2;
        start_list_load();
    } else {
        m_list_ready = true;
    }
    try_finish(generation);
}

void PublishingPage::start_list_load()
{
    const int generation = ++m_list_generation;
    m_list_pending = true;
    const std::string base = web::Endpoints::base(m_context.endpoints.account_server);
    // The job ends before this page does (its owner joins it), so the queued
    // call always has a live receiver or is dropped with the receiver's events.
    m_list_job.start([this, generation, base](std::stop_token stop) {
        std::vector<Platform> platforms = load_platform_list(base, stop);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, platforms = std::move(platforms)] { show_platforms(generation, platforms); },
            Qt::QueuedConnection);
    });
}

void PublishingPage::show_platforms(int generation, const std::vector<Platform>& platforms)
{
    if (generation != m_list_generation)
        return;
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        QList<QTreeWidgetItem*> rows;
        rows.reserve(static_cast<qsizetype>(platforms.size()));
        for (const Platform& platform : platforms) {
            auto* row = new QTreeWidgetItem;
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(kTickColumn, Qt::Unchecked);
            row->setText(kNameColumn, QString::fromStdString(platform.name));
            row->setText(kAddressColumn, QString::fromStdString(platform.address));
            rows.append(row);
        }
        m_list->addTopLevelItems(rows);
    }
    m_ticks->reset(platforms.size());
    m_list_pending = false;
    m_list_ready = true;
    try_finish(m_work_generation);
}

void PublishingPage::try_finish(int generation)
{
    if (generation != m_work_generation || m_list_pending || m_viewer_pending || !m_done)
        return;
    m_viewer->update();
    web::hide_scroll_bars(web::html_document_of_window(m_viewer));
    m_loading_caption->hide();
    hide_loading_picture(m_loading_picture);
    const std::initializer_list<QWidget*> controls = {m_done_caption, m_result_caption, m_refresh,
                                                      m_list, m_publish};
    for (QWidget* control : controls)
        control->show();
    auto done = std::move(m_done);
    m_done = nullptr;
    done();
}

void PublishingPage::on_item_changed(QTreeWidgetItem* item, int column)
{
    if (column != kTickColumn)
        return;
    const int row = m_list->indexOfTopLevelItem(item);
    if (row >= 0)
        m_ticks->set(static_cast<std::size_t>(row), item->checkState(kTickColumn) == Qt::Checked);
}

void PublishingPage::on_select_all(bool ticked)
{
    for (int row = 0; row < m_list->topLevelItemCount(); ++row)
        m_list->topLevelItem(row)->setCheckState(kTickColumn, ticked ? Qt::Checked : Qt::Unchecked);
}

void PublishingPage::on_refresh()
{
    // The rows a run is working through are about to go away.
    if (m_publish->text() != kPublish)
        stop_publishing();
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
    }
    m_ticks->reset(0);
    ++m_list_generation;
    m_list_state = 1;
    m_select_all->setChecked(false);
    auto* feature_button = ui::find_control<QPushButton>(window(), QStringLiteral("按钮_信息发布"));
    if (feature_button && feature_button->isEnabled())
        feature_button->click();
    else
        run_page_work([] {});
}

void PublishingPage::on_publish()
{
    if (m_publish->text() == kPublish)
        start_publishing();
    else
        stop_publishing();
}

void PublishingPage::start_publishing()
{
    const int generation = ++m_publish_generation;
    PublishingRequest request;
    request.rows = static_cast<std::size_t>(m_list->topLevelItemCount());
    request.is_ticked = [ticks = m_ticks](std::size_t row) { return ticks->ticked(row); };
    request.connectivity_url = connectivity_test_url(web::Endpoints::base(m_context.endpoints.baidu_home));
    request.random = [](int low, int high) { return ui::random_int(low, high); };

    // Every event is handed to the GUI thread; one from a run that was
    // stopped meanwhile finds a newer generation and is dropped.
    auto post = [this, generation](std::function<void()> write) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, write = std::move(write)] {
                if (generation == m_publish_generation)
                    write();
            },
            Qt::QueuedConnection);
    };
    PublishingEvents events;
    events.row_published = [this, post](std::size_t row, int published) {
        post([this, row, published] {
            if (QTreeWidgetItem* item = m_list->topLevelItem(static_cast<int>(row)))
                item->setText(kResultColumn, kPublished);
            m_result_caption->setText(result_text(published));
        });
    };
    events.network_failed = [this, post] {
        // The run is over; the button keeps its caption until the user clicks it.
        post([this] { ui::message_box(QStringLiteral("请检查您的网络"), {}, ui::Buttons::Ok,
                                      ui::Icon::Warning, this); });
    };
    events.finished = [this, post](int published) {
        post([this, published] {
            end_publishing();
            if (published == 0)
                ui::message_box(QStringLiteral("请先选择要发布的平台"), {}, ui::Buttons::Ok,
                                ui::Icon::Information, this);
        });
    };

    m_publish_job.start([request = std::move(request), events = std::move(events)](std::stop_token stop) {
        run_publishing(request, events, stop);
    });
    m_publish->setText(kCancelPublish);
    m_done_caption->setText(QStringLiteral("正在发布"));
    set_status(Status::Busy);
}

void PublishingPage::stop_publishing()
{
    ++m_publish_generation;
    m_publish_job.cancel();
    end_publishing();
}

void PublishingPage::end_publishing()
{
    m_publish->setText(kPublish);
    m_done_caption->setText(QStringLiteral("发布完成"));
    set_status(Status::Idle);
}

void PublishingPage::set_status(Status status)
{
    if (QMovie* old = m_status_picture->movie()) {
        m_status_picture->setMovie(nullptr);
        old->deleteLater();
    }
    if (status == Status::Busy) {
        auto* movie = new QMovie(QString::fromLatin1(ui::art::publish_busy), QByteArray(), m_status_picture);
        m_status_picture->setMovie(movie);
        movie->start();
    } else {
        m_status_picture->setPixmap(ui::art::pixmap(ui::art::publish_idle));
    }
}

}  // namespace workspaces
