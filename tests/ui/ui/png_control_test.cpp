#include "client/ui/png_control.h"

#include <QBuffer>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

QImage solid(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(colour);
    return image;
}

QByteArray png_of(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

const QColor kWall(255, 255, 0);
const QColor kNormal(255, 0, 0);
const QColor kHover(0, 160, 0);
const QColor kPressed(0, 0, 255);
const QColor kDisabled(90, 90, 90);

// A yellow window holding one 40×30 button at 10,10.
class PngControlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(200, 100);
        QPalette palette;
        palette.setColor(QPalette::Window, kWall);
        m_window->setPalette(palette);
        m_window->setAutoFillBackground(true);
        m_button = new QPushButton(m_window.get());
        m_button->setGeometry(10, 10, 40, 30);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        // Start away from the button: a move to where the mouse already is
        // is no move at all.
        QTest::mouseMove(m_window.get(), {150, 80});
    }

    void skin(const QByteArray& disabled = {})
    {
        m_binder.attach(m_button);
        m_binder.set_pictures(png_of(solid({40, 30}, kNormal)), png_of(solid({40, 30}, kHover)),
                              png_of(solid({40, 30}, kPressed)), disabled);
    }

    // What the screen shows at a point of the button.
    QColor shown(QPoint at = {20, 15}) const
    {
        return m_window->grab().toImage().pixelColor(m_button->pos() + at);
    }

    ui::PngControl m_binder;
    std::unique_ptr<QWidget> m_window;
    QPushButton* m_button = nullptr;
};

TEST_F(PngControlTest, MouseShowsHoverPressedHoverAndNormalPictures)
{
    skin();
    const QPoint centre(20, 15);
    EXPECT_EQ(shown(), kNormal);

    QTest::mouseMove(m_button, centre);
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Hover);
    EXPECT_EQ(shown(), kHover);

    QTest::mousePress(m_button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Pressed);
    EXPECT_EQ(shown(), kPressed);

    QTest::mouseRelease(m_button, Qt::LeftButton, {}, centre);
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Hover);
    EXPECT_EQ(shown(), kHover);

    QTest::mouseMove(m_window.get(), {150, 80});
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Normal);
    EXPECT_EQ(shown(), kNormal);
    EXPECT_EQ(m_button->property("Comet_DrawState").toInt(), 0);
}

TEST_F(PngControlTest, ClickRunsTheButtonsOwnHandlerOnce)
{
    skin();
    int clicks = 0;
    QObject::connect(m_button, &QPushButton::clicked, [&clicks] { ++clicks; });
    QTest::mouseClick(m_button, Qt::LeftButton, {}, {20, 15});
    EXPECT_EQ(clicks, 1);
}

TEST_F(PngControlTest, DisablingAndEnablingShowsTheRightPicture)
{
    struct Case {
        const char* name;
        QByteArray disabled;
        QColor while_disabled;
    };
    const Case cases[] = {
        {"no disabled picture: the normal one stands in", {}, kNormal},
        {"own disabled picture", png_of(solid({40, 30}, kDisabled)), kDisabled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        skin(c.disabled);
        m_button->setEnabled(false);
        EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Disabled);
        EXPECT_EQ(shown(), c.while_disabled);
        m_button->setEnabled(true);
        EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Normal);
        EXPECT_EQ(shown(), kNormal);
    }
}

TEST_F(PngControlTest, FocusIsRecordedAndLosingItEndsTheHover)
{
    skin();
    m_button->setFocusPolicy(Qt::StrongFocus);
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    // The active window may have handed the button its focus already.
    m_button->clearFocus();
    const QPoint centre(20, 15);
    QTest::mouseMove(m_button, centre);
    m_button->setFocus();
    ASSERT_TRUE(m_button->hasFocus());
    EXPECT_EQ(m_button->property("PngControl_IsFoucs").toInt(), 1);
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Hover);

    m_button->clearFocus();
    EXPECT_EQ(m_button->property("PngControl_IsFoucs").toInt(), 0);
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Normal);
    EXPECT_EQ(shown(), kNormal);
}

TEST_F(PngControlTest, AttachingTwiceDoesNotChainTheTakeOver)
{
    // A second binder too: the take-over belongs to the button, not the binder.
    ui::PngControl other;
    skin();
    other.attach(m_button);
    other.set_pictures(png_of(solid({40, 30}, kNormal)), png_of(solid({40, 30}, kHover)),
                       png_of(solid({40, 30}, kPressed)), {});
    skin();

    int clicks = 0;
    QObject::connect(m_button, &QPushButton::clicked, [&clicks] { ++clicks; });
    const QPoint centre(20, 15);
    QTest::mouseMove(m_button, centre);
    QTest::mousePress(m_button, Qt::LeftButton, {}, centre);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, centre);
    // A chained handler would see the release twice and fall back to normal.
    EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Hover);
    EXPECT_EQ(shown(), kHover);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(m_button->property("PngControl_Type").toInt(), 3);
}

TEST_F(PngControlTest, MissingOrBrokenPicturesFallBackToNormal)
{
    struct Case {
        const char* name;
        QByteArray hover;
    };
    const Case cases[] = {
        {"empty", {}},
        {"not a picture", QByteArray("definitely not a PNG")},
        {"truncated PNG", png_of(solid({40, 30}, kHover)).left(20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_binder.attach(m_button);
        m_binder.set_pictures(png_of(solid({40, 30}, kNormal)), c.hover, {}, {});
        EXPECT_TRUE(m_button->property("PngControl_OverlImage").value<QImage>().isNull());
        QTest::mouseMove(m_button, {20, 15});
        EXPECT_EQ(ui::PngControl::draw_state(m_button), ui::DrawState::Hover);
        EXPECT_EQ(shown(), kNormal);
        QTest::mouseMove(m_window.get(), {150, 80});
    }
}

TEST_F(PngControlTest, TransparentPixelsShowWhatLiesBehind)
{
    QImage half = solid({40, 30}, Qt::transparent);
    QPainter(&half).fillRect(20, 0, 20, 30, kNormal);
    m_binder.attach(m_button);
    m_binder.set_pictures(png_of(half), {}, {}, {});
    EXPECT_EQ(shown({5, 15}), kWall);
    EXPECT_EQ(shown({35, 15}), kNormal);
}

TEST_F(PngControlTest, PlacementFollowsBackType)
{
    struct Case {
        const char* name;
        int back_type;
        QSize picture;
        QPoint covered;
        QPoint uncovered;
    };
    const Case cases[] = {
        {"absent: own size at the top left", 0, {20, 10}, {5, 5}, {30, 20}},
        {"stretched over the button", 1, {20, 10}, {38, 28}, {-1, -1}},
        {"small picture centred, not enlarged", 2, {20, 10}, {20, 15}, {5, 5}},
        {"wide picture shrunk to the width, centred", 2, {80, 20}, {20, 15}, {20, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_button->setProperty("PngControl_BackType", c.back_type);
        m_binder.attach(m_button);
        m_binder.set_pictures(png_of(solid(c.picture, kNormal)), {}, {}, {});
        EXPECT_EQ(shown(c.covered), kNormal);
        if (c.uncovered.x() >= 0) {
            EXPECT_EQ(shown(c.uncovered), kWall);
        }
    }
}

TEST_F(PngControlTest, AttachingNothingKeepsTheBinding)
{
    skin();
    m_binder.attach(nullptr);
    EXPECT_EQ(m_binder.bound(), m_button);
    m_binder.set_pictures(png_of(solid({40, 30}, kPressed)), {}, {}, {});
    EXPECT_EQ(shown(), kPressed);
}

TEST(ShrinkToFit, KeepsProportionsAndNeverEnlarges)
{
    struct Case {
        QSize picture, box, expected;
    };
    const Case cases[] = {
        {{20, 10}, {40, 30}, {20, 10}},
        {{80, 20}, {40, 30}, {40, 10}},
        {{20, 60}, {40, 30}, {10, 30}},
        {{100, 100}, {40, 30}, {30, 30}},
        {{41, 30}, {40, 30}, {40, 29}},
        {{0, 0}, {40, 30}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height());
        EXPECT_EQ(ui::shrink_to_fit(c.picture, c.box), c.expected);
    }
}

}  // namespace
