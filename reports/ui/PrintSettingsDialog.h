#pragma once

#include "app/Settings.h"
#include "reports/ExportWriters.h"
#include "reports/ReportEngine.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QSpinBox;
class QTabWidget;

namespace dialtally {

// The grid's print settings, page by page (borders, general, fonts, date
// and time, title, pages, margins, spacing), with a print preview of the
// report. The fonts page is offered only while the display fonts are not
// printed. OK writes the [Printer] values back.
class PrintSettingsDialog : public QDialog {
    Q_OBJECT
public:
    PrintSettingsDialog(Settings& settings, const ReportOutput& output, QWidget* parent = nullptr,
                        const ExportSource* shown = nullptr);

    // The settings as the controls now hold them.
    PrintSettings Collected() const;

    void BtnOkClick();
    void BtnPreviewClick();
    // Draws every page with the settings of the controls (the preview's
    // paint request).
    void PaintPreview(QPrinter* printer);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The settings with the controls' printer values.
    Settings Edited() const;
    QWidget* BordersPage();
    QWidget* GeneralPage();
    QWidget* FontsPage();
    QWidget* DateTimePage();
    QWidget* TitlePage();
    QWidget* PagesPage();
    QWidget* MarginsPage();
    QWidget* SpacingPage();
    void ChooseFont(int which);
    void ShowFont(int which);

    Settings& m_settings;
    const ReportOutput& m_output;
    ExportSource m_shown;
    PrintSettings m_initial;
    std::array<FontSpec, 3> m_fonts; // cells, header, footer
    std::array<QLabel*, 3> m_fontLabels{};
    QTabWidget* m_tabs;

    QComboBox* m_borders = nullptr;
    QComboBox* m_borderStyle = nullptr;
    QCheckBox* m_centered = nullptr;
    QCheckBox* m_noAutoSize = nullptr;
    QCheckBox* m_useFixedHeight = nullptr;
    QCheckBox* m_useFixedWidth = nullptr;
    QSpinBox* m_fixedHeight = nullptr;
    QSpinBox* m_fixedWidth = nullptr;
    QCheckBox* m_repeatFixedRows = nullptr;
    QCheckBox* m_repeatFixedCols = nullptr;
    QComboBox* m_fitToPage = nullptr;
    QComboBox* m_orientation = nullptr;
    QComboBox* m_date = nullptr;
    QComboBox* m_time = nullptr;
    QLineEdit* m_dateFormat = nullptr;
    QComboBox* m_title = nullptr;
    QLineEdit* m_titleText = nullptr;
    QComboBox* m_pageNr = nullptr;
    QLineEdit* m_pagePrefix = nullptr;
    QLineEdit* m_pageNumSep = nullptr;
    QLineEdit* m_pageSuffix = nullptr;
    QSpinBox* m_headerSize = nullptr;
    QSpinBox* m_footerSize = nullptr;
    QSpinBox* m_leftSize = nullptr;
    QSpinBox* m_rightSize = nullptr;
    QSpinBox* m_columnSpacing = nullptr;
    QSpinBox* m_rowSpacing = nullptr;
    QSpinBox* m_titleSpacing = nullptr;
};

} // namespace dialtally
