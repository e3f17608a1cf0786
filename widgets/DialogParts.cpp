#include "widgets/DialogParts.h"

#include "base/Utf8Text.h"
#include "widgets/HelpWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>

namespace dialtally {

QString QtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString LogText(std::string_view text)
{
    if (IsAscii(text))
        return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    return QString::fromStdString(Utf8FromWindows1252Bytes(text));
}

std::string EditedText(const QString& shown, const std::string& stored)
{
    return shown == LogText(stored) ? stored : shown.toStdString();
}

QLabel* BuddyLabel(const QString& caption, QWidget* buddy)
{
    auto* label = new QLabel(caption);
    label->setBuddy(buddy);
    if (qobject_cast<QAbstractItemView*>(buddy) && buddy->accessibleName().isEmpty())
        buddy->setAccessibleName(PlainCaption(caption));
    return label;
}

QString PlainCaption(const QString& caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        plain += caption[i];
    }
    if (plain.endsWith(u':'))
        plain.chop(1);
    return plain;
}

void RefuseCommas(QLineEdit* edit)
{
    static const QRegularExpression noComma(QStringLiteral("[^,]*"));
    edit->setValidator(new QRegularExpressionValidator(noComma, edit));
}

int CaptionWidth(const QWidget& window)
{
    // The icon and the minimise, maximise and close buttons.
    constexpr int FrameRoom = 120;
    QFont titleFont = window.font();
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(window.windowTitle()) + FrameRoom;
}

QLineEdit* NewEdit(const QString& name, std::string_view value)
{
    auto* edit = new QLineEdit(QtText(value));
    edit->setObjectName(name);
    return edit;
}

QCheckBox* NewCheck(const QString& name, const QString& caption, bool value)
{
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    check->setChecked(value);
    return check;
}

QComboBox* NewCombo(const QString& name, const QStringList& items, int value)
{
    auto* combo = new QComboBox;
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(value >= 0 && value < items.size() ? value : -1);
    return combo;
}

QSpinBox* NewSpin(const QString& name, int minimum, int maximum, int value, const QString& suffix)
{
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setSuffix(suffix);
    return spin;
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
        // F1 asks for help from any control, as in the main window.
        if (button.Name == std::string_view("BtnHelp"))
            QObject::connect(new QShortcut(QKeySequence::HelpContents, dialog),
                             &QShortcut::activated, pushButton, &QPushButton::click);
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

QHBoxLayout* OkHelpRow(QDialog* dialog, int helpTopic)
{
    return MakeButtonRow(dialog,
                         {{QDialog::tr("OK"), "BtnOk", [dialog] { dialog->accept(); }, true},
                          {QDialog::tr("&Help"), "BtnHelp",
                           [helpTopic] { HelpWindow::ShowTopic(helpTopic); }}})
        .Layout;
}

void TurnPagesByKeyboard(QTabWidget* pages)
{
    const auto turn = [pages](int step) {
        const int count = pages->count();
        if (count > 1)
            pages->setCurrentIndex((pages->currentIndex() + step + count) % count);
        FocusFirstControl(pages->currentWidget());
    };
    for (const auto& [keys, step] :
         {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
          std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1},
          std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
        auto* shortcut = new QShortcut(keys, pages->window());
        QObject::connect(shortcut, &QShortcut::activated, pages,
                         [turn, step = step] { turn(step); });
    }
}

void FocusFirstControl(QWidget* page)
{
    for (QWidget* widget = page->nextInFocusChain(); widget != page;
         widget = widget->nextInFocusChain()) {
        if (page->isAncestorOf(widget) && (widget->focusPolicy() & Qt::TabFocus) &&
            widget->isEnabled() && widget->isVisibleTo(page)) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

} // namespace dialtally
