#include "widgets/HelpWindow.h"

#include "widgets/DialogParts.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace dialtally {

TEST(HelpWindow, UnknownTopicFallsBackToContents)
{
    HelpWindow::ShowTopic(9999);
    EXPECT_EQ(HelpWindow::LastTopic(), 9999);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* help = qobject_cast<HelpWindow*>(w)) {
            auto* browser = help->findChild<QTextBrowser*>();
            ASSERT_NE(browser, nullptr);
            EXPECT_EQ(browser->source().toString(), "qrc:/help/index.html");
            EXPECT_TRUE(browser->toPlainText().contains("Dialtally"));
            // Esc closes it.
            QTest::keyClick(browser, Qt::Key_Escape);
            EXPECT_FALSE(help->isVisible());
            help->close();
        }
    }
}

// F1 in a dialog with a Help button asks for its help from any control.
TEST(HelpWindow, F1PressesTheDialogsHelpButton)
{
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* edit = new QLineEdit;
    layout->addWidget(edit);
    layout->addLayout(OkCancelHelpRow(&dialog, {}, [] { HelpWindow::ShowTopic(3510); }));
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    HelpWindow::ShowTopic(1);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_F1);
    EXPECT_EQ(HelpWindow::LastTopic(), 3510);
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<HelpWindow*>(w))
            w->close();
    }
}

} // namespace dialtally
