#include "client/ranking/ui/search_controller.h"

#include "client/account/account_session.h"
#include "client/ranking/rank_engine.h"
#include "client/ranking/rank_search.h"
#include "client/ranking/ui/posting_search_sink.h"
#include "client/ui/app_context.h"
#include "client/ui/artwork.h"
#include "client/ui/button_face.h"
#include "client/ui/seams.h"

#include <QCheckBox>
#include <QLabel>
#include <QMovie>
#include <QPushButton>
#include <QTreeWidget>

#include <memory>

namespace ranking {

namespace {

const QString kIdleCaption = QStringLiteral("立即检索");
const QString kBusyCaption = QStringLiteral("取消检索");

// Which look a picture control shows; read by tests and tools.
const char* const kBusyProperty = "search_busy";

}  // namespace

SearchController::SearchController(const RankingControls& controls, ui::AppContext& context,
                                   QObject* parent)
    : QObject(parent), m_controls(controls), m_context(context)
{
    m_busy_movie = new QMovie(QString::fromUtf8(ui::art::search_busy), {}, this);
    show_idle_look();
    keep_selection_in_step();
    connect(m_controls.search_button, &QPushButton::clicked, this, [this] { activate(false); });
    connect(m_controls.search_picture_button, &QPushButton::clicked, this, [this] { activate(true); });
}

SearchController::~SearchController()
{
    ++m_generation;
    m_job.cancel();
    // m_job's destructor joins the worker; it stops at its next check or
    // when its request aborts.
}

bool SearchController::searching() const
{
    return m_controls.search_button->text() != kIdleCaption;
}

void SearchController::cancel()
{
    if (searching())
        stop();
}

void SearchController::activate(bool from_picture_button)
{
    if (searching()) {
        stop();
        return;
    }
    QWidget* page = m_controls.results->parentWidget();
    if (m_selection.chosen_count() == 0) {
        ui::message_box(QStringLiteral("请先选择要检索的关键词"), QStringLiteral("信息："),
                        ui::Buttons::Ok, ui::Icon::Information, page);
        return;
    }
    if (!m_selection.any_engine()) {
        ui::message_box(QStringLiteral("请选择要搜索的引擎"), QStringLiteral("信息："), ui::Buttons::Ok,
                        ui::Icon::Information, page);
        return;
    }
    start(from_picture_button);
}

void SearchController::start(bool from_picture_button)
{
    show_busy_look(from_picture_button);
    const std::uint64_t generation = ++m_generation;
    auto sink = std::make_shared<PostingSearchSink>(
        this, generation, [this](std::uint64_t g) { return g == m_generation; },
        PostingSearchSink::Targets{
            [this] { clear_results(); },
            [this](int number, const QString& keyword) { add_row(number, keyword); },
            [this](int row, int column, const QString& text) { set_cell(row, column, text); },
            [this] { finished(); },
        });
    std::string site_url = m_context.session ? m_context.session->record().site_url : std::string();
    auto engine = std::make_shared<const RankEngine>(m_context.endpoints);
    m_job.start([selection = &m_selection, site_url = std::move(site_url), engine,
                 sink](std::stop_token stop) {
        try {
            rank_search(*selection, site_url, *engine, *sink, stop);
        } catch (...) {
            // A job that failed half-way still gives the page its idle look
            // back; the rows it wrote stay.
            if (!stop.stop_requested())
                sink->finished();
        }
    });
    m_controls.search_button->setText(kBusyCaption);
}

void SearchController::stop()
{
    // Writes still on their way from the old job are dropped from here on.
    ++m_generation;
    m_job.cancel();
    // Either control brings the whole idle look back, the picture button's
    // image included: it must not go on showing a search that has ended.
    show_idle_look();
}

void SearchController::show_idle_look()
{
    m_busy_movie->stop();
    m_controls.search_picture->setMovie(nullptr);
    m_controls.search_picture->setPixmap(ui::art::pixmap(ui::art::search_idle));
    m_controls.search_picture->setProperty(kBusyProperty, false);
    m_controls.search_button->setText(kIdleCaption);
    ui::set_button_face(m_controls.search_picture_button, ui::art::pixmap(ui::art::search_button));
    m_controls.search_picture_button->setToolTip(kIdleCaption);
    m_controls.search_picture_button->setProperty(kBusyProperty, false);
}

void SearchController::show_busy_look(bool picture_button_too)
{
    m_controls.search_picture->setMovie(m_busy_movie);
    m_busy_movie->start();
    m_controls.search_picture->setProperty(kBusyProperty, true);
    if (picture_button_too) {
        ui::set_button_face(m_controls.search_picture_button,
                            ui::art::pixmap(ui::art::search_button_busy));
        m_controls.search_picture_button->setToolTip(kBusyCaption);
        m_controls.search_picture_button->setProperty(kBusyProperty, true);
    }
}

void SearchController::keep_selection_in_step()
{
    QTreeWidget* keywords = m_controls.keywords;
    connect(keywords, &QTreeWidget::itemChanged, this, [this] { sync_keyword_rows(); });
    QAbstractItemModel* model = keywords->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, [this] { sync_keyword_rows(); });
    connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { sync_keyword_rows(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] { sync_keyword_rows(); });
    sync_keyword_rows();

    const std::pair<QCheckBox*, Engine> boxes[] = {
        {m_controls.baidu, Engine::Baidu},
        {m_controls.so360, Engine::So360},
        {m_controls.sogou, Engine::Sogou},
    };
    for (const auto& [box, engine] : boxes) {
        m_selection.set_engine(engine, box->isChecked());
        connect(box, &QCheckBox::toggled, this,
                [this, engine = engine](bool ticked) { m_selection.set_engine(engine, ticked); });
    }
}

void SearchController::sync_keyword_rows()
{
    QTreeWidget* keywords = m_controls.keywords;
    std::vector<KeywordRow> rows;
    rows.reserve(static_cast<std::size_t>(keywords->topLevelItemCount()));
    for (int i = 0; i < keywords->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = keywords->topLevelItem(i);
        rows.push_back({item->text(1).toStdString(), item->checkState(0) == Qt::Checked});
    }
    m_selection.set_rows(std::move(rows));
}

void SearchController::clear_results()
{
    m_controls.results->clear();
}

void SearchController::add_row(int number, const QString& keyword)
{
    auto* item = new QTreeWidgetItem;
    item->setText(kColumnNumber, QString::number(number));
    item->setText(kColumnKeyword, keyword);
    m_controls.results->addTopLevelItem(item);
}

void SearchController::set_cell(int row, int column, const QString& text)
{
    if (QTreeWidgetItem* item = m_controls.results->topLevelItem(row))
        item->setText(column, text);
}

void SearchController::finished()
{
    show_idle_look();
}

}  // namespace ranking
