#include "widgets/DialogParts.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace dialtally {

QString QtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* BuddyLabel(const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    return label;
}

DialogButtonRow MakeButtonRow(QDialog* dialog, const std::vector<DialogButton>& buttons)
{
    DialogButtonRow row{new QHBoxLayout, {}};
    row.Layout->addStretch();
    for (const DialogButton& button : buttons) {
        auto* pushButton = Named(new QPushButton(button.Caption, dialog), button.Name);
        pushButton->setDefault(button.Default);
        if (button.Action)
            QObject::connect(pushButton, &QPushButton::clicked, dialog, button.Action);
        else
            QObject::connect(pushButton, &QPushButton::clicked, dialog, &QDialog::reject);
        row.Layout->addWidget(pushButton);
        row.Buttons.push_back(pushButton);
    }
    return row;
}

QHBoxLayout* OkCancelHelpRow(QDialog* dialog, std::function<void()> onOk,
                             std::function<void()> onHelp)
{
    return MakeButtonRow(dialog, {{QDialog::tr("OK"), "BtnOk", std::move(onOk), true},
                                  {QDialog::tr("Cancel"), "BtnCancel", {}},
                                  {QDialog::tr("&Help"), "BtnHelp", std::move(onHelp)}})
        .Layout;
}

} // namespace dialtally
