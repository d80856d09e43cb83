#include "client/workspaces/ui/browser_document_helper.h"

#include "client/ui/seams.h"
#include "workspaces/local_site.h"

#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using workspaces::BrowserDocumentHelper;
using workspaces::ElementInfo;

const char* const kFormPage = R"(<html><head><title>form</title></head><body>
<form action="/submit" method="get">
<input type="hidden" name="password" value="h">
<input type="text" name="q" id="first" value="a">
<input type="checkbox" name="c">
<input type="password" id="password" value="">
<input name="q" title="second q" value="b">
<input type="file" name="f">
<input type="image" name="view" src="/img/ok.png" title="查看数据">
<button type="submit" name="b1">B</button>
</form>
<img src="/img/go.png" id="gopic" onclick="document.title='clicked go'">
</body></html>)";

const char* const kHiddenOnlyPage = R"(<html><body>
<input type="hidden" name="password" value="h"><img src="/img/logo.png">
</body></html>)";

class DocumentHelper : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_site = std::make_unique<testsupport::LocalSite>();
        s_site->server().Get("/form.html", [](const httplib::Request&, httplib::Response& r) {
            r.set_content(kFormPage, "text/html; charset=utf-8");
        });
        s_site->server().Get("/hidden.html", [](const httplib::Request&, httplib::Response& r) {
            r.set_content(kHiddenOnlyPage, "text/html; charset=utf-8");
        });
        s_site->start();
    }
    static void TearDownTestSuite() { s_site.reset(); }

    void load(const char* path)
    {
        m_view = std::make_unique<QWebEngineView>(&m_container);
        bool finished = false;
        QObject::connect(m_view.get(), &QWebEngineView::loadFinished, [&](bool) { finished = true; });
        m_view->load(QUrl(QString::fromStdString(s_site->base() + path)));
        ASSERT_TRUE(ui::wait_until([&] { return finished; }, 10, 20000));
        ASSERT_TRUE(m_helper.attach(&m_container));
    }

    ElementInfo await(const std::function<void(BrowserDocumentHelper::FoundCallback)>& start)
    {
        std::optional<ElementInfo> element;
        start([&](const ElementInfo& found) { element = found; });
        EXPECT_TRUE(ui::wait_until([&] { return element.has_value(); }, 5, 10000));
        return element.value_or(ElementInfo{});
    }

    std::optional<bool> await_flag(const std::function<void(BrowserDocumentHelper::DoneCallback)>& start)
    {
        std::optional<bool> flag;
        start([&](bool value) { flag = value; });
        EXPECT_TRUE(ui::wait_until([&] { return flag.has_value(); }, 5, 10000));
        return flag;
    }

    ElementInfo find_text(const QString& identifier, int index)
    {
        return await([&](auto done) { m_helper.find_text_input(identifier, index, done); });
    }

    static std::unique_ptr<testsupport::LocalSite> s_site;
    QWidget m_container;
    std::unique_ptr<QWebEngineView> m_view;
    BrowserDocumentHelper m_helper;
};

std::unique_ptr<testsupport::LocalSite> DocumentHelper::s_site;

TEST_F(DocumentHelper, FindTextInputMatchesByIdentifierIndexAndPosition)
{
    load("/form.html");
    const struct {
        const char* identifier;
        int index;
        bool found;
        const char* type;
        const char* value;
        int count;
    } cases[] = {
        {"2", 0, true, "password", "", 2},    // second text/password/file input
        {"q", 0, true, "text", "a", 1},
        {"q", 1, true, "text", "b", 3},       // the second element named q
        {"q", 2, false, "", "", -1},
        {"password", 0, true, "password", "", 2},  // by id; the hidden one never
        {"second q", 0, true, "text", "b", 3},     // by title
        {"f", 0, true, "file", "", 4},
        {"4", 0, true, "file", "", 4},
        {"c", 0, false, "", "", -1},               // a check box is not a text input
        {"9", 0, false, "", "", -1},
        {"", 0, false, "", "", -1},
        {"Q", 0, false, "", "", -1},               // identifiers are case-sensitive
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.identifier << " #" << c.index);
        const ElementInfo element = find_text(QString::fromUtf8(c.identifier), c.index);
        EXPECT_EQ(element.found, c.found);
        EXPECT_EQ(element.count, c.count);
        if (c.found) {
            EXPECT_EQ(element.tag, QStringLiteral("input"));
            EXPECT_EQ(element.type, QString::fromUtf8(c.type));
            EXPECT_EQ(element.value, QString::fromUtf8(c.value));
        }
    }
}

TEST_F(DocumentHelper, HiddenInputIsNeverMatched)
{
    load("/hidden.html");
    EXPECT_FALSE(find_text(QStringLiteral("password"), 0).found);
    EXPECT_FALSE(find_text(QStringLiteral("1"), 0).found);
}

TEST_F(DocumentHelper, ButtonsAndImagesFollowTheInputsWhenTheTypesAskForThem)
{
    load("/form.html");
    ElementInfo button = await([&](auto done) {
        m_helper.find_input_by_types(QStringLiteral("button|submit|reset"), QStringLiteral("b1"), 0, done);
    });
    EXPECT_EQ(button.tag, QStringLiteral("button"));
    EXPECT_EQ(button.count, 1);
    ElementInfo no_button = await([&](auto done) {
        m_helper.find_input_by_types(QStringLiteral("submit"), QStringLiteral("b1"), 0, done);
    });
    EXPECT_FALSE(no_button.found);

    const struct {
        const char* identifier;
        const char* tag;
        int count;
    } images[] = {
        {"查看数据", "input", 1},  // image input by title
        {"ok.png", "input", 1},    // by src
        {"go", "img", 2},          // an img element whose src contains it
        {"gopic", "img", 2},
        {"2", "img", 2},
        {"nothing", "", -1},
    };
    for (const auto& c : images) {
        SCOPED_TRACE(c.identifier);
        const ElementInfo element = await([&](auto done) {
            m_helper.find_image_element(QStringLiteral("image"), QString::fromUtf8(c.identifier), 0, done);
        });
        EXPECT_EQ(element.tag, QString::fromUtf8(c.tag));
        EXPECT_EQ(element.count, c.count);
    }
}

TEST_F(DocumentHelper, SetValueFillsTheChosenInputOnly)
{
    load("/form.html");
    EXPECT_EQ(await_flag([&](auto done) {
                  m_helper.set_text_input_value(QStringLiteral("password"), QStringLiteral("s3cret"), 0, done);
              }),
              true);
    EXPECT_EQ(find_text(QStringLiteral("2"), 0).value, QStringLiteral("s3cret"));
    EXPECT_EQ(find_text(QStringLiteral("first"), 0).value, QStringLiteral("a"));

    // A file input refuses a script-given path; a missing input is no success.
    EXPECT_EQ(await_flag([&](auto done) {
                  m_helper.set_text_input_value(QStringLiteral("f"), QStringLiteral("/etc/passwd"), 0, done);
              }),
              false);
    EXPECT_EQ(await_flag([&](auto done) {
                  m_helper.set_text_input_value(QStringLiteral("missing"), QStringLiteral("x"), 0, done);
              }),
              false);
}

TEST_F(DocumentHelper, ClickImageClicksAnImgWhoseSrcContainsTheIdentifier)
{
    load("/form.html");
    EXPECT_EQ(await_flag([&](auto done) { m_helper.click_image(QStringLiteral("go"), 0, done); }), true);
    EXPECT_TRUE(ui::wait_until([&] { return m_view->title() == QStringLiteral("clicked go"); }, 10, 10000));
    EXPECT_EQ(await_flag([&](auto done) { m_helper.click_image(QStringLiteral("absent"), 0, done); }),
              false);
}

TEST_F(DocumentHelper, AttachNeedsABrowserAndAnUnattachedHelperFindsNothing)
{
    BrowserDocumentHelper helper;
    EXPECT_FALSE(helper.attach(nullptr));
    QWidget empty;
    EXPECT_FALSE(helper.attach(&empty));
    std::optional<ElementInfo> element;
    helper.find_text_input(QStringLiteral("1"), 0, [&](const ElementInfo& e) { element = e; });
    EXPECT_FALSE(element.has_value());  // answers later, never inside the call
    ASSERT_TRUE(ui::wait_until([&] { return element.has_value(); }, 5, 5000));
    EXPECT_FALSE(element->found);
    EXPECT_EQ(element->count, -1);

    load("/form.html");
    EXPECT_TRUE(m_helper.attached());
    m_helper.release();
    EXPECT_FALSE(m_helper.attached());
    EXPECT_FALSE(find_text(QStringLiteral("q"), 0).found);
}

}  // namespace
