#include "widgets/DialogButtons.h"

#include <QDialog>
#include <QPushButton>

namespace dialtally {

QHBoxLayout* OkCancelHelpRow(QDialog* dialog, std::function<void()> onOk,
                             std::function<void()> onHelp)
{
    const auto button = [dialog](const QString& caption, const char* name) {
        auto* pushButton = new QPushButton(caption, dialog);
        pushButton->setObjectName(QString::fromLatin1(name));
        return pushButton;
    };
    QPushButton* ok = button(QDialog::tr("OK"), "BtnOk");
    ok->setDefault(true);
    QPushButton* cancel = button(QDialog::tr("Cancel"), "BtnCancel");
    QPushButton* help = button(QDialog::tr("&Help"), "BtnHelp");
    QObject::connect(ok, &QPushButton::clicked, dialog, std::move(onOk));
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    QObject::connect(help, &QPushButton::clicked, dialog, std::move(onHelp));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    row->addWidget(help);
    return row;
}

} // namespace dialtally
