#include "reports/ui/HtmlSettingsDialog.h"

#include "widgets/DialogParts.h"
#include <QCheckBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include <QPushButton>

namespace dialtally {

namespace {

} // namespace

HtmlSettingsDialog::HtmlSettingsDialog(HtmlSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings)
{
    setWindowTitle(tr("HTML Settings"));
    auto* form = new QFormLayout;
    // Stored values outside the spin ranges are kept as they are shown.
    m_borderSize = NewSpin(QStringLiteral("EditBorderSize"), std::min(0, settings.BorderSize),
                           std::max(99, settings.BorderSize), settings.BorderSize);
    m_cellSpacing = NewSpin(QStringLiteral("EditCellSpacing"), std::min(0, settings.CellSpacing),
                            std::max(99, settings.CellSpacing), settings.CellSpacing);
    m_width = NewSpin(QStringLiteral("EditWidth"), std::min(1, settings.Width),
                      std::max(100, settings.Width), settings.Width);
    m_width->setSuffix(QStringLiteral(" %"));
    m_prefixTag = NewEdit(QStringLiteral("EditPrefixTag"), settings.PrefixTag);
    m_suffixTag = NewEdit(QStringLiteral("EditSuffixTag"), settings.SuffixTag);
    m_tableStyle = NewEdit(QStringLiteral("EditTableStyle"), settings.TableStyle);
    form->addRow(tr("&Border size:"), m_borderSize);
    form->addRow(tr("&Cell spacing:"), m_cellSpacing);
    form->addRow(tr("&Prefix tags:"), m_prefixTag);
    form->addRow(tr("&Suffix tags:"), m_suffixTag);
    form->addRow(tr("Table st&yle tags:"), m_tableStyle);
    m_headerFile = AddFileRow(form, tr("&Header file:"), QStringLiteral("EditHeaderFile"),
                              settings.HeaderFile);
    m_footerFile = AddFileRow(form, tr("&Footer file:"), QStringLiteral("EditFooterFile"),
                              settings.FooterFile);
    form->addRow(tr("Table &width:"), m_width);
    m_saveColor = new QCheckBox(tr("Use the table's c&olors"));
    m_saveColor->setObjectName(QStringLiteral("CheckSaveColor"));
    m_saveColor->setChecked(settings.SaveColor);
    m_saveFonts = new QCheckBox(tr("Use the table's fo&nts"));
    m_saveFonts->setObjectName(QStringLiteral("CheckSaveFonts"));
    m_saveFonts->setChecked(settings.SaveFonts);
    form->addRow(m_saveColor);
    form->addRow(m_saveFonts);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("OK"), "BtnOk", [this] { BtnOkClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}}});
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.Layout);
    resize(420, sizeHint().height());
    m_borderSize->setFocus(); // the buttons, made first, would take it
}

QLineEdit* HtmlSettingsDialog::AddFileRow(QFormLayout* form, const QString& label,
                                          const QString& name, const std::string& value)
{
    auto* edit = NewEdit(name, value);
    auto* browse = new QToolButton;
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(tr("Browse"));
    browse->setAccessibleName(tr("Browse for the %1").arg(PlainCaption(label).toLower()));
    connect(browse, &QToolButton::clicked, this, [this, edit] {
        const QString path = QFileDialog::getOpenFileName(
            this, tr("Open"), edit->text(), tr("HTML Files (*.htm *.html);;All Files (*)"));
        if (!path.isEmpty())
            edit->setText(path);
    });
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(browse);
    // A label over a layout gets no buddy by itself.
    auto* caption = new QLabel(label);
    caption->setBuddy(edit);
    form->addRow(caption, row);
    return edit;
}

void HtmlSettingsDialog::BtnOkClick()
{
    m_settings.BorderSize = m_borderSize->value();
    m_settings.CellSpacing = m_cellSpacing->value();
    m_settings.PrefixTag = m_prefixTag->text().toStdString();
    m_settings.SuffixTag = m_suffixTag->text().toStdString();
    m_settings.TableStyle = m_tableStyle->text().toStdString();
    m_settings.HeaderFile = m_headerFile->text().toStdString();
    m_settings.FooterFile = m_footerFile->text().toStdString();
    m_settings.Width = m_width->value();
    m_settings.SaveColor = m_saveColor->isChecked();
    m_settings.SaveFonts = m_saveFonts->isChecked();
    accept();
}

} // namespace dialtally
