#include "shell/ui/shell_fixture.h"

#include "client/shell/skin_center.h"
#include "client/ui/artwork.h"
#include "client/ui/picture_box.h"
#include "client/ui/png_control.h"

#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace {

using shelltest::ShellFixture;

const char* const kMarks[] = {"按钮4", "按钮5", "按钮6", "按钮7", "按钮8", "按钮9"};
const char* const kTargets[] = {"透明标签3", "透明标签4", "透明标签5", "透明标签6", "透明标签7", "透明标签8"};
const char* const kThumbnails[] = {"图片框4", "图片框3", "图片框5", "图片框6", "图片框7", "图片框8"};

class SkinCenterTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        write_skins();
        write_config({{"选择皮肤", "内容", "皮肤2"}});
        start_window();
    }

    shell::SkinCenter* open()
    {
        QTest::mouseClick(find<QPushButton>("按钮_换皮肤"), Qt::LeftButton);
        shell::SkinCenter* center = m_window->skin_center();
        EXPECT_NE(center, nullptr);
        if (center) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(center));
        }
        return center;
    }

    template <typename T = QWidget>
    static T* in(shell::SkinCenter* center, const char* name)
    {
        T* control = ui::find_control<T>(center, QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    static std::vector<int> visible_marks(shell::SkinCenter* center)
    {
        std::vector<int> visible;
        for (int n = 1; n <= 6; ++n)
            if (in(center, kMarks[n - 1])->isVisible())
                visible.push_back(n);
        return visible;
    }
};

TEST_F(SkinCenterTest, OpensModalWithThumbnailsAndNoMark)
{
    shell::SkinCenter* center = open();
    ASSERT_NE(center, nullptr);
    EXPECT_TRUE(center->isModal());
    EXPECT_EQ(center->size(), QSize(680, 418));
    EXPECT_EQ(in<QLabel>(center, "透明标签1")->text(), QStringLiteral("皮肤中心"));
    EXPECT_EQ(in<QLabel>(center, "标签3")->text(), QStringLiteral("共6款皮肤，快来试试吧！"));
    auto* tabs = in<QTabWidget>(center, "高级选择夹1");
    EXPECT_EQ(tabs->geometry(), QRect(0, 31, 684, 388));
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_FALSE(tabs->tabBar()->isVisible());
    EXPECT_TRUE(in(center, "标签3")->isVisible());
    // Skin 2 is in use, yet no tile is marked.
    EXPECT_TRUE(visible_marks(center).empty());
    for (int n = 1; n <= 6; ++n) {
        SCOPED_TRACE(n);
        auto* thumbnail = in<ui::PictureBox>(center, kThumbnails[n - 1]);
        EXPECT_EQ(plain(thumbnail->picture().toImage()), plain(QImage(skin_path(n))));
        EXPECT_EQ(in<QLabel>(center, QStringLiteral("标签%1").arg(n + 4).toUtf8().constData())->text(),
                  QStringLiteral("官方皮肤（%1）").arg(n));
        EXPECT_EQ(in(center, kMarks[n - 1])->property("PngControl_Type").toInt(), 3);
    }
    // The surface shows the main window's current background.
    EXPECT_EQ(plain(in<ui::PictureBox>(center, "图片框1")->picture().toImage()),
              plain(QImage(skin_path(2))));
    EXPECT_EQ(ui::PngControl::current_picture(in(center, "按钮_关闭")),
              ui::art::image(ui::art::dialog_close));
}

TEST_F(SkinCenterTest, ChoosingSkinThreeAppliesMarksLabelsAndRemembersIt)
{
    shell::SkinCenter* center = open();
    ASSERT_NE(center, nullptr);
    QTest::mousePress(in(center, kTargets[2]), Qt::LeftButton, {}, {60, 40});

    EXPECT_EQ(visible_marks(center), std::vector<int>{3});
    EXPECT_EQ(m_window->skin_label()->text(), QStringLiteral("皮肤3"));
    EXPECT_EQ(read_config("选择皮肤", "内容"), "皮肤3");
    ui::PictureBox* background = m_window->background();
    EXPECT_EQ(background->mode(), ui::PictureBox::Mode::Scaled);
    EXPECT_EQ(plain(background->picture().toImage()), plain(QImage(skin_path(3))));
    EXPECT_EQ(plain(in<ui::PictureBox>(center, "图片框1")->picture().toImage()),
              plain(QImage(skin_path(3))));
    // The window stays open for another choice; the last one is marked.
    QTest::mousePress(in(center, kTargets[5]), Qt::LeftButton, {}, {60, 40});
    EXPECT_EQ(visible_marks(center), std::vector<int>{6});
    EXPECT_EQ(read_config("选择皮肤", "内容"), "皮肤6");
}

TEST_F(SkinCenterTest, ReopeningStartsWithoutMarksAndCloseDestroysIt)
{
    shell::SkinCenter* center = open();
    ASSERT_NE(center, nullptr);
    QTest::mousePress(in(center, kTargets[3]), Qt::LeftButton, {}, {60, 40});
    QPointer<shell::SkinCenter> closing(center);
    QTest::mouseClick(in<QPushButton>(center, "按钮_关闭"), Qt::LeftButton, {}, {13, 12});
    ASSERT_TRUE(ui::wait_until(
        [&closing] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return closing.isNull();
        },
        10, 5000));

    center = open();
    ASSERT_NE(center, nullptr);
    EXPECT_TRUE(visible_marks(center).empty());
    EXPECT_EQ(m_window->skin_label()->text(), QStringLiteral("皮肤4"));
}

TEST_F(SkinCenterTest, ChoosingASkinWhoseFileIsGoneEmptiesTheBackgroundButRemembersIt)
{
    shell::SkinCenter* center = open();
    ASSERT_NE(center, nullptr);
    ASSERT_TRUE(QFile::remove(skin_path(5)));
    QTest::mousePress(in(center, kTargets[4]), Qt::LeftButton, {}, {60, 40});
    EXPECT_TRUE(m_window->background()->picture().isNull());
    EXPECT_EQ(read_config("选择皮肤", "内容"), "皮肤5");
    EXPECT_EQ(visible_marks(center), std::vector<int>{5});
}

}  // namespace
