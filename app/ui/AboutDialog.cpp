#include "app/ui/AboutDialog.h"

#include "widgets/DialogParts.h"
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace dialtally {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("About Dialtally"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/dialtally.svg")).pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto* name = new QLabel(QStringLiteral("Dialtally"), this);
    name->setObjectName("LabelProduct");
    QFont bigger = name->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.6);
    bigger.setBold(true);
    name->setFont(bigger);
    auto* version = new QLabel(tr("Version %1").arg(QStringLiteral(DIALTALLY_VERSION)), this);
    version->setObjectName("LabelVersion");
    auto* description = new QLabel(
        tr("Time online and its cost, from the logs of your dial-up connections."), this);
    description->setObjectName("LabelComments");

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("OK"), "BtnOk", [this] { accept(); }, true}});

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(description, 2, 1);
    layout->addLayout(buttons.Layout, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace dialtally
