#include "TestSupport.h"
#include "app/Settings.h"
#include "app/ui/CustomizeToolbarsDialog.h"
#include "logs/LogFormats.h"
#include "logs/ui/ArchiveDialog.h"
#include "logs/ui/FirstTimeSetupDialog.h"
#include "widgets/HelpWindow.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

namespace dialtally {

// Archive, Customize Toolbars and First-Time Setup open centred on the
// screen, wherever their parent stands (on a first run the main window
// has no place yet).
TEST(ScreenPlacement, DialogsOpenCentredOnTheScreen)
{
    TempFolder windows;
    FixedFolders folders;
    folders.Windows = windows.Path();
    folders.Program = windows.Path();
    TLCfg formats;
    LoadDefaultLogFormats(formats, folders);
    ArchiveSettings archive;
    ToolbarSettings toolbars;
    const std::vector<std::function<std::unique_ptr<QDialog>(QWidget*)>> dialogs{
        [&](QWidget* parent) { return std::make_unique<TDlgBack>(formats, archive, parent); },
        [&](QWidget* parent) { return std::make_unique<TDlgBars>(toolbars, nullptr, parent); },
        [&](QWidget* parent) { return std::make_unique<TDlgFirst>(formats, folders, parent); },
    };
    QWidget parent;
    parent.setGeometry(0, 0, 200, 150);
    parent.show();
    const QPoint centre = parent.screen()->availableGeometry().center();
    // A title bar is reckoned above a window whose frame is not known yet.
    const int titleBar = parent.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    for (const auto& make : dialogs) {
        const std::unique_ptr<QDialog> dialog = make(&parent);
        dialog->show();
        const QPoint shown = dialog->geometry().center();
        EXPECT_LE(std::abs(shown.x() - centre.x()), 1) << dialog->windowTitle().toStdString();
        EXPECT_LE(std::abs(shown.y() - centre.y()), titleBar)
            << dialog->windowTitle().toStdString();
        dialog->close();
    }
}

// Opened from a dialog in the screen's corner, the help window stands over
// it as far as the screen allows.
TEST(ScreenPlacement, HelpStaysOnTheScreen)
{
    QDialog asking;
    asking.setWindowModality(Qt::ApplicationModal);
    const QRect screen = asking.screen()->availableGeometry();
    asking.setGeometry(screen.right() - 120, screen.bottom() - 90, 100, 80);
    asking.show();
    HelpWindow::ShowTopic(HelpWindow::Contents);
    HelpWindow* help = asking.findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    const QRect placed = help->frameGeometry();
    EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y();
    EXPECT_EQ(placed.bottomRight(), screen.bottomRight());
    help->close();
}

} // namespace dialtally
