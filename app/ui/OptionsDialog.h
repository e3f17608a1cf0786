#pragma once

#include "app/Settings.h"
#include "reports/DocumentHost.h"
#include "reports/ReportDefinition.h"

#include <QColor>
#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace dialtally {

class OptionsPreviewWidget;

// "Options": the default report, the report file type, the fonts and
// colours of the grid and the chart, and the program's switches. Works on
// copies; Apply, and OK after a change, write them into the settings and
// call OnApply. The file type button acts at once on the flag.
class TDlgOpt : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpTopic = 3600;
    static constexpr int FilePageTopic = 3605;
    static constexpr int DisplayPageTopic = 3610;
    static constexpr int GeneralPageTopic = 3620;

    TDlgOpt(Settings& settings, bool& fileTypeRegistered, QWidget* parent = nullptr);

    // The preview grid aligns and sizes its columns as this report does.
    void SetReportLayout(const TCfg& report);

    // After the settings were written: the window re-applies and rebuilds.
    std::function<void()> OnApply;
    // The open dialog of Browse; by default a plain file dialog.
    std::function<std::optional<std::string>(const FileDialogRequest&)> AskOpenFileName;
    // The font and colour dialogs; nothing when cancelled.
    std::function<std::optional<QFont>(const QFont& initial)> AskFont;
    std::function<std::optional<QColor>(const QColor& initial)> AskColor;

    void EditDefaultChange();
    void BtnBrowseClick();
    void BtnFileTypeClick();
    void BtnChangeClick();
    void BtnDefaultClick();
    void TreeViewOptClick(QTreeWidgetItem* item);
    void BtnApplyClick();
    void BtnOkClick();

    // What the dialog holds now, not yet written.
    const TextDisplay& TextCopy() const { return m_text; }
    const GraphDisplay& GraphCopy() const { return m_graph; }
    const ProgramOptions& OptionsCopy() const { return m_options; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeFilePage();
    QWidget* MakeDisplayPage();
    QWidget* MakeGeneralPage();
    void ShowTicks();
    void Changed();
    void WriteOptions();
    QListWidget* ActiveList() const;
    bool EditTextItem(int item);
    bool EditGraphItem(int item);
    void ResetTextItem(int item);
    void ResetGraphItem(int item);

    Settings& m_settings;
    bool& m_fileTypeRegistered;
    TextDisplay m_text;
    GraphDisplay m_graph;
    ProgramOptions m_options;
    bool m_graphListActive = false;

    QTabWidget* m_pages = nullptr;
    QLineEdit* m_editDefault = nullptr;
    QPushButton* m_fileType = nullptr;
    QListWidget* m_textList = nullptr;
    QListWidget* m_graphList = nullptr;
    OptionsPreviewWidget* m_preview = nullptr;
    QTreeWidget* m_tree = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace dialtally
