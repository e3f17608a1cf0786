#pragma once

#include "app/Settings.h"

#include <QDialog>

class QCheckBox;
class QFormLayout;
class QLineEdit;
class QSpinBox;

namespace dialtally {

// "HTML Settings": edits the [HTML] values of the grid's HTML export.
// OK writes them back into the settings it was made over.
class HtmlSettingsDialog : public QDialog {
    Q_OBJECT
public:
    explicit HtmlSettingsDialog(HtmlSettings& settings, QWidget* parent = nullptr);

    void BtnOkClick();

private:
    QLineEdit* AddFileRow(QFormLayout* form, const QString& label, const QString& name,
                          const std::string& value);

    HtmlSettings& m_settings;
    QSpinBox* m_borderSize;
    QSpinBox* m_cellSpacing;
    QLineEdit* m_prefixTag;
    QLineEdit* m_suffixTag;
    QLineEdit* m_tableStyle;
    QLineEdit* m_headerFile = nullptr;
    QLineEdit* m_footerFile = nullptr;
    QSpinBox* m_width;
    QCheckBox* m_saveColor;
    QCheckBox* m_saveFonts;
};

} // namespace dialtally
