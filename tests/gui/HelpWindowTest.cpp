#include "widgets/HelpWindow.h"

#include <QApplication>
#include <QTest>
#include <QTextBrowser>

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

} // namespace dialtally
