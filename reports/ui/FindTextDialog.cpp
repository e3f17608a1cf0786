#include "reports/ui/FindTextDialog.h"

#include "widgets/DialogParts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace dialtally {

FindTextDialog::FindTextDialog(QWidget* parent)
    : QDialog(parent), m_text(new QLineEdit),
      m_wholeWord(new QCheckBox(tr("Match &whole word only"))),
      m_matchCase(new QCheckBox(tr("Match &case"))), m_up(new QRadioButton(tr("&Up"))),
      m_down(new QRadioButton(tr("&Down")))
{
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(tr("Find"));
    setModal(false);
    m_text->setObjectName(QStringLiteral("FindText"));
    m_wholeWord->setObjectName(QStringLiteral("FindWholeWord"));
    m_matchCase->setObjectName(QStringLiteral("FindMatchCase"));
    m_up->setObjectName(QStringLiteral("FindUp"));
    m_down->setObjectName(QStringLiteral("FindDown"));
    m_up->setChecked(true);

    auto* label = new QLabel(tr("Fi&nd what:"));
    label->setBuddy(m_text);
    auto* textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(m_text);

    auto* direction = new QGroupBox(tr("Direction"));
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);
    auto* optionsRow = new QHBoxLayout;
    auto* checks = new QVBoxLayout;
    checks->addWidget(m_wholeWord);
    checks->addWidget(m_matchCase);
    optionsRow->addLayout(checks);
    optionsRow->addWidget(direction);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("&Find Next"), "FindNextButton",
                              [this] { emit FindRequested(Text(), Options()); }, true},
                             {tr("Cancel"), "BtnCancel", {}}});
    QPushButton* findNext = buttons.Buttons[0];
    findNext->setEnabled(false);
    connect(m_text, &QLineEdit::textChanged, this,
            [findNext](const QString& text) { findNext->setEnabled(!text.isEmpty()); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(textRow);
    layout->addLayout(optionsRow);
    layout->addLayout(buttons.Layout);
}

void FindTextDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Typing goes to the text at once; with no text yet the disabled Find
    // Next would leave the focus to Cancel, which Enter would press.
    m_text->setFocus();
    m_text->selectAll();
}

QString FindTextDialog::Text() const
{
    return m_text->text();
}

FindOptions FindTextDialog::Options() const
{
    FindOptions options;
    options.Down = m_down->isChecked();
    options.MatchCase = m_matchCase->isChecked();
    options.WholeWord = m_wholeWord->isChecked();
    return options;
}

} // namespace dialtally
