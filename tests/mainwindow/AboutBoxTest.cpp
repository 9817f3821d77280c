#include "MainWindowFixture.h"

#include "about/Frmabout.h"
#include "mainwindow/Frmain.h"
#include "ui/ClickLabel.h"

#include <QApplication>
#include <QPointer>
#include <QPushButton>

using namespace tarvik;
using namespace tarvik::test;

namespace {

class AboutBox : public MainWindowFixture {
protected:
    int openBoxes() const {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            n += qobject_cast<Frmabout*>(w) != nullptr && w->isVisible() ? 1 : 0;
        }
        return n;
    }
};

} // namespace

TEST_F(AboutBox, OneBorderlessBoxWithVersionAuthorAndContact) {
    build();
    host->showWindow();
    window().CmdAbout()->click();
    QPointer<Frmabout> box = host->aboutBox();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(box->size(), QSize(359, 239));
    EXPECT_EQ(box->Label1()->text(), QStringLiteral("版本: 3.0"));
    EXPECT_FALSE(box->Label2()->text().isEmpty());
    EXPECT_TRUE(box->Label4()->text().startsWith(QStringLiteral("E-mail:")));
    EXPECT_EQ(box->Label4()->cursor().shape(), Qt::PointingHandCursor);
    // Every line fits its label.
    for (QLabel* label : {box->Label1(), box->Label2(), static_cast<QLabel*>(box->Label4())}) {
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text())) << label->text().toStdString();
    }

    window().CmdAbout()->click();
    EXPECT_EQ(host->aboutBox(), box.data());
    EXPECT_EQ(openBoxes(), 1);
}

TEST_F(AboutBox, LabelsTakeTheirClicksAndThePictureCloses) {
    build();
    window().CmdAbout()->click();
    QPointer<Frmabout> box = host->aboutBox();
    click(box->Label1());
    click(box->Label2());
    click(box->Label4());
    runDeferredDeletes();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.shell.opened[0].first, "mailto:" + box->Label4()->text().mid(7).toStdString());
    EXPECT_EQ(fakes.shell.opened[0].second, folder.path().string());

    click(box->Image1(), QPoint(300, 20));
    runDeferredDeletes();
    EXPECT_TRUE(box.isNull());
    EXPECT_EQ(host->aboutBox(), nullptr);

    window().CmdAbout()->click(); // a new box, loaded anew
    ASSERT_NE(host->aboutBox(), nullptr);
    EXPECT_EQ(host->aboutBox()->Label1()->text(), QStringLiteral("版本: 3.0"));
}

TEST_F(AboutBox, StaysSingleAcrossARebuiltMainWindow) {
    build();
    window().CmdAbout()->click();
    Frmabout* box = host->aboutBox();
    window().close();
    runDeferredDeletes();
    EXPECT_EQ(host->aboutBox(), box);
    host->showWindow();
    window().CmdAbout()->click();
    EXPECT_EQ(host->aboutBox(), box);
    EXPECT_EQ(openBoxes(), 1);
}
