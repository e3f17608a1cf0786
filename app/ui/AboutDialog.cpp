#include "app/ui/AboutDialog.h"

#include <QDialogButtonBox>
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

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("BtnOk");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(name, 0, 1);
    layout->addWidget(version, 1, 1);
    layout->addWidget(description, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace dialtally
