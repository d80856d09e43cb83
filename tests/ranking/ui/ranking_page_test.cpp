// The ranking page on its own: its controls, the select-all boxes, the
// refusals, the row menu with its openers, the export, the keyword refresh
// of the whole-network marketing button and sign-out.
#include "client/account/account_session.h"
#include "client/ranking/shared_text.h"
#include "client/ranking/ui/ranking_page.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"

#include "support/temp_dir.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTreeWidget>
#include <QtTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

QStringList texts(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

class RankingPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ui::set_message_box_handler([this](const ui::MessageBoxRequest& box) {
            boxes.push_back(box);
            if (box.buttons == ui::Buttons::YesNo) {
                const ui::Answer a = answers.empty() ? ui::Answer::No : answers.front();
                if (!answers.empty())
                    answers.erase(answers.begin());
                return a;
            }
            return ui::Answer::Ok;
        });
        ui::set_open_url_handler([this](const QString& url) {
            opened.push_back(url);
            return true;
        });
        ui::set_save_file_handler([this](const QString&, const QString&, const QString&) {
            ++save_dialogs;
            return save_answer;
        });
        context.endpoints.baidu = "b.test";
        context.endpoints.so360 = "s.test";
        context.endpoints.so360_results = "r.test";
        context.endpoints.sogou = "g.test";
        session = std::make_unique<account::AccountSession>(context.endpoints);
        session->set_signed_in(true);
        context.session = session.get();
        context.events = &events;
        page = std::make_unique<ranking::RankingPage>(context);
        page->resize(900, 465);
    }

    void TearDown() override
    {
        page.reset();
        ui::set_message_box_handler({});
        ui::set_open_url_handler({});
        ui::set_save_file_handler({});
    }

    template <typename T>
    T* control(const char* name) const
    {
        T* found = page->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QTreeWidget* keywords() const { return control<QTreeWidget>("超级列表框_要检索的关键字"); }
    QTreeWidget* results() const { return control<QTreeWidget>("超级列表框_检索结果"); }

    void add_result(std::initializer_list<const char*> cells)
    {
        results()->addTopLevelItem(new QTreeWidgetItem(texts(cells)));
    }

    // Opens the row menu on `row` (-1: no current row) and picks `item`.
    void pick(int row, const char* item)
    {
        results()->setCurrentItem(row < 0 ? nullptr : results()->topLevelItem(row));
        Q_EMIT results()->customContextMenuRequested(QPoint(5, 5));
        auto* menu = results()->findChild<QMenu*>(QStringLiteral("检索结果"));
        ASSERT_NE(menu, nullptr);
        ASSERT_TRUE(menu->isVisible());
        auto* action = menu->findChild<QAction*>(QString::fromUtf8(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
        menu->hide();
    }

    QStringList box_texts() const
    {
        QStringList shown;
        for (const auto& b : boxes)
            shown << b.text;
        return shown;
    }

    ui::AppContext context;
    ui::SessionEvents events;
    std::unique_ptr<account::AccountSession> session;
    std::unique_ptr<ranking::RankingPage> page;
    std::vector<ui::MessageBoxRequest> boxes;
    std::vector<ui::Answer> answers;
    std::vector<QString> opened;
    QString save_answer;
    int save_dialogs = 0;
};

TEST_F(RankingPageTest, ControlsSitAtTheirPlacesWithTheirTexts)
{
    struct Place {
        const char* name;
        QRect rect;
        const char* text;
    } const places[] = {
        {"标签2", {197, 29, 121, 32}, "要检索的关键词："},
        {"超级列表框_要检索的关键字", {190, 70, 304, 120}, nullptr},
        {"选择框1", {192, 193, 80, 16}, "全选"},
        {"透明标签1", {541, 57, 100, 32}, "选择搜索引擎："},
        {"选择框_百度", {539, 95, 48, 24}, "百度"},
        {"选择框_360", {621, 95, 48, 24}, "360"},
        {"选择框_谷歌", {687, 95, 48, 24}, "谷歌"},
        {"选择框_搜狗", {539, 125, 48, 24}, "搜狗"},
        {"选择框_必应", {621, 125, 48, 24}, "必应"},
        {"选择框2", {688, 124, 48, 24}, "全选"},
        {"标签1", {539, 156, 307, 45},
         "注 意：由于目前国内封锁谷歌的所有服务，暂时不支持谷\r\n\r\n歌查询，如有特殊需要请联系客服"},
        {"按钮_检索", {523, 105, 80, 32}, "立即检索"},
        {"图形按钮_检索", {766, 48, 89, 31}, nullptr},
        {"图片框1", {24, 49, 128, 128}, nullptr},
        {"外形框3", {20, 215, 852, 227}, nullptr},
        {"超级列表框_检索结果", {21, 217, 850, 224}, nullptr},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        QWidget* w = control<QWidget>(p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), p.rect);
        if (!p.text)
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), QString::fromUtf8(p.text));
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(p.text));
        } else {
            ADD_FAILURE() << "no text to compare";
        }
    }

    const QStringList result_titles = texts({"序号", "关键词", "百度", "360", "谷歌", "搜狗", "必应"});
    const int result_widths[] = {50, 200, 120, 120, 120, 120, 120};
    ASSERT_EQ(results()->columnCount(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(results()->headerItem()->text(i), result_titles[i]);
        EXPECT_EQ(results()->columnWidth(i), result_widths[i]);
    }
    ASSERT_EQ(keywords()->columnCount(), 2);
    EXPECT_EQ(keywords()->headerItem()->text(0), QStringLiteral("选择"));
    EXPECT_EQ(keywords()->headerItem()->text(1), QStringLiteral("关键词"));
    EXPECT_EQ(keywords()->columnWidth(0), 40);
    EXPECT_EQ(keywords()->columnWidth(1), 240);
}

TEST_F(RankingPageTest, SelectAllKeywordsTicksAndClearsEveryRow)
{
    auto* all = control<QCheckBox>("选择框1");
    all->click();  // an empty list: nothing to do, nothing breaks
    EXPECT_EQ(keywords()->topLevelItemCount(), 0);
    all->click();

    page->set_keywords({"水泵", "阀门", "管道"});
    keywords()->topLevelItem(1)->setCheckState(0, Qt::Checked);
    all->click();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(keywords()->topLevelItem(i)->checkState(0), Qt::Checked) << i;
    all->click();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(keywords()->topLevelItem(i)->checkState(0), Qt::Unchecked) << i;
}

TEST_F(RankingPageTest, SelectAllEnginesLeavesGoogleAlone)
{
    auto* all = control<QCheckBox>("选择框2");
    const char* four[] = {"选择框_百度", "选择框_360", "选择框_搜狗", "选择框_必应"};
    for (const bool google : {false, true}) {
        SCOPED_TRACE(google);
        control<QCheckBox>("选择框_谷歌")->setChecked(google);
        control<QCheckBox>("选择框_360")->setChecked(true);
        if (all->isChecked())
            all->click();
        all->click();  // ticks
        for (const char* name : four)
            EXPECT_TRUE(control<QCheckBox>(name)->isChecked()) << name;
        EXPECT_EQ(control<QCheckBox>("选择框_谷歌")->isChecked(), google);
        all->click();  // clears
        for (const char* name : four)
            EXPECT_FALSE(control<QCheckBox>(name)->isChecked()) << name;
        EXPECT_EQ(control<QCheckBox>("选择框_谷歌")->isChecked(), google);
    }
}

TEST_F(RankingPageTest, SearchIsRefusedWithoutKeywordOrEngine)
{
    page->set_keywords({"水泵", "阀门"});
    struct Case {
        const char* name;
        bool keyword;
        std::vector<const char*> ticked;
        const char* message;
    } const cases[] = {
        {"no keyword chosen", false, {"选择框_百度"}, "请先选择要检索的关键词"},
        {"only Google and Bing", true, {"选择框_谷歌", "选择框_必应"}, "请选择要搜索的引擎"},
        {"no engine at all", true, {}, "请选择要搜索的引擎"},
    };
    for (const char* trigger : {"按钮_检索", "图形按钮_检索"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(trigger) + ": " + c.name);
            boxes.clear();
            for (const char* name : {"选择框_百度", "选择框_360", "选择框_谷歌", "选择框_搜狗", "选择框_必应"})
                control<QCheckBox>(name)->setChecked(false);
            for (const char* name : c.ticked)
                control<QCheckBox>(name)->setChecked(true);
            keywords()->topLevelItem(1)->setCheckState(0, c.keyword ? Qt::Checked : Qt::Unchecked);

            control<QPushButton>(trigger)->click();
            ASSERT_EQ(boxes.size(), 1u);
            EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(boxes[0].title, QStringLiteral("信息："));
            EXPECT_EQ(boxes[0].buttons, ui::Buttons::Ok);
            EXPECT_EQ(control<QPushButton>("按钮_检索")->text(), QStringLiteral("立即检索"));
            EXPECT_FALSE(page->searching());
        }
    }
}

TEST_F(RankingPageTest, RowMenuOpensTheEnginesPagesForItsRow)
{
    ranking::so360_psid().set("5e1c0a77");
    add_result({"1", "abc", "第7个", "第3页第4个", "-", "第2个", "-"});
    add_result({"2", "水泵", "100名以外", "100名以外", "-", "-", "-"});
    add_result({"3", "阀门", "-", "-", "-", "-", "-"});

    struct Case {
        int row;
        const char* item;
        const char* url;  // nullptr: nothing opened
    } const cases[] = {
        {0, "S_百度", "http://b.test/s?wd=%61%62%63"},
        {0, "S_360", "http://r.test/s?q=%61%62%63&pn=3&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=5e1c0a77"},
        {0, "S_搜狗", "http://g.test/web?&query=%61%62%63"},
        {0, "S_谷歌", nullptr},
        {1, "S_360", "http://r.test/s?q=%E6%B0%B4%E6%B3%B5&pn=0&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=5e1c0a77"},
        {2, "S_360", "http://r.test/s?q=%E9%98%80%E9%97%A8&pn=0&j=0&ls=0&src=srp_paging&fr=360sou_newhome&psid=5e1c0a77"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " row " + std::to_string(c.row));
        opened.clear();
        boxes.clear();
        pick(c.row, c.item);
        EXPECT_TRUE(boxes.empty());
        if (c.url)
            EXPECT_EQ(opened, std::vector<QString>{QString::fromUtf8(c.url)});
        else
            EXPECT_TRUE(opened.empty());
    }
}

TEST_F(RankingPageTest, RowMenuWithoutARowHasNoData)
{
    add_result({"1", "abc", "第7个", "-", "-", "-", "-"});
    for (const char* item : {"S_百度", "S_360", "S_搜狗"}) {
        SCOPED_TRACE(item);
        boxes.clear();
        pick(-1, item);
        EXPECT_TRUE(opened.empty());
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, QStringLiteral("没有数据"));
        EXPECT_EQ(boxes[0].title, QStringLiteral("信息："));
    }
}

TEST_F(RankingPageTest, ExportWritesTheListAndSaysSoOnlyOnceWritten)
{
    testsupport::TempDir dir;
    add_result({"1", "水泵", "第7个", "第3页第4个", "-", "查询失败", "-"});

    // A cancelled dialog does nothing.
    pick(0, "导出查询结果");
    EXPECT_EQ(save_dialogs, 1);
    EXPECT_TRUE(boxes.empty());

    // A name without extension gets the workbook's.
    save_answer = QString::fromStdString((dir.path() / "排名").string());
    pick(0, "导出查询结果");
    EXPECT_EQ(box_texts(), QStringList{QStringLiteral("导出成功")});
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "排名.xlsx"));

    // A folder that does not exist: told so, never "导出成功".
    boxes.clear();
    save_answer = QString::fromStdString((dir.path() / "missing" / "r.xlsx").string());
    pick(0, "导出查询结果");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("导出失败")));
    EXPECT_EQ(boxes[0].title, QStringLiteral("信息："));
}

TEST_F(RankingPageTest, MarketingWorkRefreshesTheAccountAndOffersItsKeywords)
{
    std::vector<std::pair<QString, QString>> sign_ins;
    context.user_name_text = [] { return QStringLiteral(" demo "); };
    context.password_text = [] { return QStringLiteral("pa ss "); };
    context.sign_in_request = [&](const QString& user, const QString& password, QString*) {
        sign_ins.emplace_back(user, password);
        session->record().seo_keywords = "水泵,阀门";
        session->record().seo_extarea = "管道 ,配件";
        return true;
    };
    page->set_keywords({"old"});
    control<QCheckBox>("选择框1")->setChecked(true);
    QSignalSpy selected(page.get(), &ui::FeaturePage::select_requested);
    int done = 0;

    page->run_page_work([&] { ++done; });

    EXPECT_EQ(done, 1);
    EXPECT_EQ(selected.count(), 1);
    EXPECT_TRUE(boxes.empty());
    ASSERT_EQ(sign_ins.size(), 1u);
    EXPECT_EQ(sign_ins[0].first, QStringLiteral(" demo "));
    EXPECT_EQ(sign_ins[0].second, QStringLiteral("pa ss "));
    EXPECT_FALSE(control<QCheckBox>("选择框1")->isChecked());
    const QStringList expected = texts({"水泵", "阀门", "管道 ", "配件"});
    ASSERT_EQ(keywords()->topLevelItemCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(keywords()->topLevelItem(i)->text(1), expected[i]);
        EXPECT_EQ(keywords()->topLevelItem(i)->checkState(0), Qt::Unchecked);
    }
}

TEST_F(RankingPageTest, MissingKeywordsAskToFetchAgain)
{
    int sign_ins = 0;
    context.user_name_text = [] { return QStringLiteral("demo"); };
    context.password_text = [] { return QStringLiteral("pw"); };
    context.sign_in_request = [&](const QString&, const QString&, QString*) {
        ++sign_ins;
        // The second attempt brings the keywords.
        session->record().seo_keywords = sign_ins == 1 ? "null" : "水泵";
        return true;
    };
    QSignalSpy selected(page.get(), &ui::FeaturePage::select_requested);
    int done = 0;

    // No: the buttons come back, nothing is offered.
    answers = {ui::Answer::No};
    page->run_page_work([&] { ++done; });
    EXPECT_EQ(done, 1);
    EXPECT_EQ(box_texts(), QStringList{QStringLiteral("获取关键词失败，是否重新获取")});
    EXPECT_EQ(boxes.at(0).buttons, ui::Buttons::YesNo);
    EXPECT_EQ(keywords()->topLevelItemCount(), 0);
    EXPECT_EQ(selected.count(), 0);

    // Yes: the whole work runs again and this time finds the keywords.
    sign_ins = 0;
    boxes.clear();
    answers = {ui::Answer::Yes};
    page->run_page_work([&] { ++done; });
    ASSERT_TRUE(ui::wait_until([&] { return sign_ins == 2; }, 10, 5000));
    ASSERT_TRUE(ui::wait_until([&] { return selected.count() == 1; }, 10, 5000));
    EXPECT_EQ(boxes.size(), 1u);
    ASSERT_EQ(keywords()->topLevelItemCount(), 1);
    EXPECT_EQ(keywords()->topLevelItem(0)->text(1), QStringLiteral("水泵"));
}

TEST_F(RankingPageTest, SignOutEmptiesTheResults)
{
    add_result({"1", "水泵", "第7个", "-", "-", "-", "-"});
    add_result({"2", "阀门", "-", "-", "-", "-", "-"});
    Q_EMIT events.signed_out();
    EXPECT_EQ(results()->topLevelItemCount(), 0);
}

}  // namespace
