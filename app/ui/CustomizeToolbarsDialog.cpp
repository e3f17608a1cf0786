#include "app/ui/CustomizeToolbarsDialog.h"

#include "app/ToolbarLayout.h"
#include "widgets/DialogParts.h"
#include "widgets/ScreenPlacement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace dialtally {

namespace {

QListWidget* MakeList(const char* name, QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setMinimumSize(190, 300);
    list->setIconSize(QSize(16, 16));
    return list;
}

void Select(QListWidget* list, int position)
{
    list->setFocus();
    if (position >= 0 && position < list->count())
        list->setCurrentRow(position);
}

} // namespace

TDlgBars::TDlgBars(ToolbarSettings& toolbars, ItemIconFunction itemIcon, QWidget* parent)
    : QDialog(parent), m_toolbars(toolbars), m_itemIcon(std::move(itemIcon)),
      m_available(MakeList("ListBoxAvailable", this)), m_visible(MakeList("ListBoxVisible", this)),
      m_labels(new QCheckBox(tr("Text &Labels"), this))
{
    setWindowTitle(tr("Customize Toolbars"));
    CentreOnScreenWhenShown(this);
    QLabel* availableLabel = BuddyLabel(tr("Available toolbar &items:"), m_available);
    QLabel* visibleLabel = BuddyLabel(tr("Visible &toolbar items:"), m_visible);

    auto* add = new QPushButton(tr("&Add ->"), this);
    add->setObjectName("BtnAdd");
    add->setAutoDefault(false);
    auto* remove = new QPushButton(tr("<- &Remove"), this);
    remove->setObjectName("BtnRemove");
    remove->setAutoDefault(false);
    m_labels->setObjectName("CheckBoxLabels");
    m_labels->setChecked(toolbars.TextLabels);

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("Close"), "BtnClose", [this] { accept(); }, true}});

    connect(add, &QPushButton::clicked, this, &TDlgBars::BtnAddClick);
    connect(remove, &QPushButton::clicked, this, &TDlgBars::BtnRemoveClick);
    connect(m_labels, &QCheckBox::clicked, this, &TDlgBars::CheckBoxLabelsClick);
    connect(m_available, &QListWidget::itemDoubleClicked, this, &TDlgBars::BtnAddClick);
    connect(m_visible, &QListWidget::itemDoubleClicked, this, &TDlgBars::BtnRemoveClick);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add);
    middle->addWidget(remove);
    middle->addStretch();
    auto* layout = new QGridLayout(this);
    layout->addWidget(availableLabel, 0, 0);
    layout->addWidget(visibleLabel, 0, 2);
    layout->addWidget(m_available, 1, 0);
    layout->addLayout(middle, 1, 1);
    layout->addWidget(m_visible, 1, 2);
    layout->addWidget(m_labels, 2, 0);
    layout->addLayout(buttons.Layout, 2, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // Tab goes as one reads: the lists were made before the buttons between them.
    const std::array<QWidget*, 6> tabOrder{m_available, add,      remove,
                                           m_visible,   m_labels, buttons.Buttons[0]};
    for (std::size_t i = 0; i + 1 < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i], tabOrder[i + 1]);

    FillLists();
}

void TDlgBars::FillLists()
{
    m_available->clear();
    m_visible->clear();
    for (const ToolbarEntry& entry : ToolbarEntries()) {
        const bool shown = m_toolbars.Btn[entry.Key];
        auto* item = new QListWidgetItem(QString::fromLatin1(entry.Caption),
                                         shown ? m_visible : m_available);
        if (!m_itemIcon)
            continue;
        QIcon icon = m_itemIcon(ToolbarItems()[static_cast<std::size_t>(entry.Key - 1)].Name);
        // A blank picture keeps the captions of the entries without one in line.
        if (icon.isNull()) {
            QPixmap blank(m_visible->iconSize());
            blank.fill(Qt::transparent);
            icon = QIcon(blank);
        }
        item->setIcon(icon);
    }
}

void TDlgBars::BtnAddClick()
{
    const int row = m_available->currentRow();
    if (row < 0 || !m_available->currentItem()->isSelected())
        return;
    const int next = ShowToolbarEntry(m_toolbars, row);
    FillLists();
    Select(m_available, next);
    Changed();
}

void TDlgBars::BtnRemoveClick()
{
    const int row = m_visible->currentRow();
    if (row < 0 || !m_visible->currentItem()->isSelected())
        return;
    const int next = HideToolbarEntry(m_toolbars, row);
    FillLists();
    Select(m_visible, next);
    Changed();
}

void TDlgBars::CheckBoxLabelsClick()
{
    m_toolbars.TextLabels = m_labels->isChecked();
    Changed();
}

void TDlgBars::Changed()
{
    if (OnChanged)
        OnChanged(m_toolbars);
}

} // namespace dialtally
