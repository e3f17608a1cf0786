#include "widgets/ScreenPlacement.h"
#include "PrintingTestSupport.h"
#include "TestSupport.h"
#include "app/ProgramState.h"
#include "app/Settings.h"
#include "app/ui/CustomizeToolbarsDialog.h"
#include "app/ui/OptionsDialog.h"
#include "costs/ui/CostsDialog.h"
#include "logs/LogFormats.h"
#include "logs/ui/ArchiveDialog.h"
#include "logs/ui/FirstTimeSetupDialog.h"
#include "logs/ui/LogFilesDialog.h"
#include "reports/ReportFile.h"
#include "reports/ui/ExportDialog.h"
#include "reports/ui/PrintSettingsDialog.h"
#include "reports/ui/ReportPropertiesDialog.h"
#include "widgets/HelpWindow.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QStyle>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

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

// The big dialogs fit the screen with all their layouts need, also at a
// font half as large again (a large font or scale factor on a small
// screen): none runs past the screen's edge with its buttons.
TEST(ScreenPlacement, BigDialogsFitTheScreenAtLargeFonts)
{
    TempFolder home;
    FixedFolders folders;
    folders.Windows = home.Path();
    folders.Program = home.Path();
    TLCfg formats;
    LoadDefaultLogFormats(formats, folders);
    TProv providers;
    TServ links;
    TCfg report;
    SetReportDefaults(report, home.File("Default.rep"));
    Settings settings = SampleSettings();
    const ReportOutput output = BuildSampleReport(3);
    bool registered = false;
    const std::vector<std::function<std::unique_ptr<QDialog>()>> dialogs{
        [&] { return std::make_unique<TDlgLog>(formats, home.Path()); },
        [&] { return std::make_unique<TDlgCost>(providers, links, home.Path()); },
        [&] { return std::make_unique<TDlgOpt>(settings, registered); },
        [&] {
            return std::make_unique<TDlgProp>(report, report, formats, providers, 1, "Properties");
        },
        [&] { return std::make_unique<PrintSettingsDialog>(settings, output); },
        [&] {
            return std::make_unique<TDlgExp>(output, home.File("Week.rep"), "Week", settings,
                                             ExportSettingsFor(settings));
        },
    };
    const QFont normal = QApplication::font();
    for (const double scale : {1.0, 1.5}) {
        QFont font = normal;
        font.setPointSizeF(normal.pointSizeF() * scale);
        QApplication::setFont(font);
        for (const auto& make : dialogs) {
            const std::unique_ptr<QDialog> dialog = make();
            dialog->show();
            const std::string name =
                dialog->windowTitle().toStdString() + " at " + std::to_string(scale);
            EXPECT_LE(dialog->width(), dialog->screen()->availableGeometry().width()) << name;
            EXPECT_LE(dialog->height(), ScreenRoomHeight(*dialog)) << name;
            // Nothing squeezed below what its layout needs, so nothing cut off.
            EXPECT_EQ(dialog->size().expandedTo(dialog->minimumSizeHint()), dialog->size()) << name;
        }
    }
    QApplication::setFont(normal);
}

} // namespace dialtally
