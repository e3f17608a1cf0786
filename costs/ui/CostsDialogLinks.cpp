// The Links page of the Costs dialog: which provider charges the
// connections of each description.

#include "costs/ui/CostsDialog.h"

#include "base/Messages.h"
#include "costs/Links.h"
#include "costs/TariffEdits.h"
#include "widgets/DialogParts.h"
#include "widgets/SortedLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace dialtally {

QWidget* TDlgCost::BuildLinksPage()
{
    auto* page = new QWidget;
    m_servList->setObjectName(QStringLiteral("ListBoxServ"));
    m_service->setObjectName(QStringLiteral("EditService"));
    RefuseCommas(m_service);
    m_servProvider->setObjectName(QStringLiteral("ComboServProv"));
    connect(m_servList, &QListWidget::itemSelectionChanged, this, &TDlgCost::ListBoxServClick);

    auto* add = Named(new QPushButton(tr("&Add")), "BtnAddServ");
    auto* remove = Named(new QPushButton(tr("&Remove")), "BtnRemoveServ");
    auto* modify = Named(new QPushButton(tr("&Modify")), "BtnModifyServ");
    connect(add, &QPushButton::clicked, this, &TDlgCost::BtnAddServClick);
    connect(remove, &QPushButton::clicked, this, &TDlgCost::BtnRemoveServClick);
    connect(modify, &QPushButton::clicked, this, &TDlgCost::BtnModifyServClick);

    auto* grid = new QGridLayout(page);
    grid->addWidget(BuddyLabel(tr("Description &links:"), m_servList), 0, 0);
    grid->addWidget(m_servList, 1, 0, 6, 1);
    grid->addWidget(BuddyLabel(tr("&Description"), m_service), 0, 1);
    grid->addWidget(m_service, 1, 1);
    grid->addWidget(BuddyLabel(tr("&Provider"), m_servProvider), 2, 1);
    grid->addWidget(m_servProvider, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addWidget(modify);
    grid->addLayout(buttons, 5, 1);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return page;
}

void TDlgCost::ListBoxServClick()
{
    ShowLink();
}

void TDlgCost::ShowLink()
{
    QString description;
    if (!SelectedText(m_servList, description))
        return;
    m_links.Current = FindLink(StoredName(description, m_links.Service, m_links.Count), m_links);
    if (m_links.Current == 0)
        return;
    m_service->setText(LogText(m_links.Service[m_links.Current]));
    m_servProvider->setCurrentIndex(m_servProvider->findText(
        LogText(m_links.Provider[m_links.Current]), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TDlgCost::StoreLink()
{
    const int current = m_links.Current;
    if (current < 1 || current > TServ::MaxLinks)
        return;
    m_links.Service[current] = EditedText(m_service->text(), m_links.Service[current]);
    // A link whose provider is gone shows none; keep the name it had
    // rather than blank it unasked.
    if (m_servProvider->currentIndex() >= 0)
        m_links.Provider[current] =
            StoredName(m_servProvider->currentText(), m_providers.Provider, m_providers.Count);
}

void TDlgCost::BtnAddServClick()
{
    if (m_links.Count >= TServ::MaxLinks) {
        PlayDefaultSound();
        return;
    }
    ++m_links.Count;
    m_links.Current = m_links.Count;
    m_links.Provider[m_links.Count].clear();
    StoreLink();
    InsertAndSelect(m_servList, m_service->text());
    ShowLink();
}

void TDlgCost::BtnRemoveServClick()
{
    QString description;
    if (!SelectedText(m_servList, description)) {
        PlayDefaultSound();
        return;
    }
    const int i = FindLink(StoredName(description, m_links.Service, m_links.Count), m_links);
    if (i == 0 || ConfirmRemove(description.toStdString()) != MessageAnswer::Yes)
        return;
    RemoveLink(m_links, i);
    if (RemoveSelected(m_servList))
        ShowLink();
    else
        m_links.Current = 0;
}

void TDlgCost::BtnModifyServClick()
{
    if (m_servList->selectedItems().isEmpty()) {
        PlayDefaultSound();
        return;
    }
    StoreLink();
    RenameSelected(m_servList, m_service->text());
    ShowLink();
}

} // namespace dialtally
