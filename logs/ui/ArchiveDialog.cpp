#include "logs/ui/ArchiveDialog.h"

#include "logs/LogArchive.h"
#include "logs/LogSource.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"
#include "widgets/ScreenPlacement.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace dialtally {

namespace {

constexpr int HelpTopic = 4020;

} // namespace

TDlgBack::TDlgBack(const TLCfg& formats, ArchiveSettings& settings, QWidget* parent)
    : QDialog(parent), m_formats(formats), m_settings(settings),
      m_prompt(new QLabel(QString::fromStdString(ArchivePrompt(formats)), this)),
      m_target(new QLineEdit(this)), m_skip(new QCheckBox(tr("&Skip unnecessary data"), this)),
      m_clear(new QCheckBox(tr("&Clear source after archive"), this))
{
    setWindowTitle(tr("Archive"));
    CentreOnScreenWhenShown(this);
    m_prompt->setWordWrap(true);
    m_target->setObjectName("EditArchive");
    m_target->setText(QString::fromStdString(ProposedArchiveTarget(formats, settings.File)));
    m_target->setMinimumWidth(320);
    m_skip->setObjectName("CheckBoxSkip");
    m_skip->setChecked(settings.Skip);
    m_clear->setObjectName("CheckBoxClear");
    m_clear->setChecked(settings.Clear);
    // Only a single plain file may be emptied; a set or the journal belongs
    // to the system's log rotation.
    if (formats.Current >= 1 && formats.Current <= formats.Count &&
        !IsSingleFileSource(formats.LogFile[formats.Current])) {
        m_clear->setChecked(false);
        m_clear->setEnabled(false);
    }

    auto* label = new QLabel(tr("&Archive to"), this);
    label->setBuddy(m_target);
    auto* browse = new QToolButton(this);
    browse->setObjectName("BtnBrowse");
    browse->setText(QStringLiteral("..."));
    browse->setToolTip(tr("Browse"));
    browse->setAccessibleName(tr("Browse"));
    connect(browse, &QToolButton::clicked, this, &TDlgBack::BtnBrowseClick);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("Archive"), "BtnArchive", [this] { BtnArchiveClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}},
                             {tr("&Help"), "BtnHelp", [this] { BtnHelpClick(); }}});

    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(browse);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_prompt);
    layout->addWidget(label);
    layout->addLayout(targetRow);
    layout->addWidget(m_skip);
    layout->addWidget(m_clear);
    layout->addStretch();
    layout->addLayout(buttons.Layout);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // The browse button, made after the check boxes, follows the path it fills.
    QWidget::setTabOrder(m_target, browse);
    QWidget::setTabOrder(browse, m_skip);
}

void TDlgBack::BtnBrowseClick()
{
    // The archive is appended to, so choosing an existing file is no
    // overwrite to confirm.
    const QString chosen =
        QFileDialog::getSaveFileName(this, tr("Archive"), m_target->text(), tr("All Files (*)"),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (!chosen.isEmpty())
        m_target->setText(chosen);
}

void TDlgBack::BtnArchiveClick()
{
    const ArchiveOptions options{m_target->text().toStdString(), m_skip->isChecked(),
                                 m_clear->isChecked(), InputNamedBy};
    const ArchiveResult result = ArchiveLogFile(m_formats, options);
    if (result == ArchiveResult::Done || result == ArchiveResult::NotCleared)
        m_settings = ArchiveSettings{options.Target, options.Skip,
                                     m_clear->isEnabled() ? options.Clear : m_settings.Clear};
    accept();
}

void TDlgBack::BtnHelpClick()
{
    HelpWindow::ShowTopic(HelpTopic);
}

} // namespace dialtally
