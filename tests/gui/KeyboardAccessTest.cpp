#include "TestSupport.h"
#include "WindowFixture.h"
#include "costs/ui/RatePeriodDialog.h"
#include "logs/ui/FirstTimeSetupDialog.h"
#include "reports/ui/HtmlSettingsDialog.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

namespace dialtally {

namespace {

// The letter Alt takes to a caption, or none ("&&" is a plain "&").
QChar Mnemonic(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toUpper();
        ++i;
    }
    return {};
}

QString Described(const QWidget* widget, const QString& caption)
{
    return QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName() +
           QStringLiteral(" \"") + caption + u'"';
}

// What a user who cannot see the screen, or uses no mouse, stumbles on in
// `root` as it is shown now: two captions under one Alt letter, a label
// whose letter leads nowhere, a control that a screen reader cannot name or
// names as it names another.
QStringList Faults(QWidget* root)
{
    QStringList faults;
    std::map<QChar, QStringList> letters;
    std::map<QString, QStringList> names;
    const auto take = [&](const QWidget* owner, const QString& caption) {
        if (const QChar letter = Mnemonic(caption); !letter.isNull())
            letters[letter] << Described(owner, caption);
    };
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(root))
            continue;
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            take(label, label->text());
            if (!Mnemonic(label->text()).isNull() &&
                (!label->buddy() || label->buddy()->focusPolicy() == Qt::NoFocus))
                faults << QStringLiteral("no buddy to take the focus: ") +
                              Described(label, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            take(button, button->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
            take(group, group->title());
        } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                take(tabs, tabs->tabText(i));
        } else if (auto* bar = qobject_cast<QMenuBar*>(widget)) {
            for (const QAction* action : bar->actions())
                take(bar, action->text());
        }
        // The edit inside a spin box or combo box, and a scroll area's
        // viewport, are named by their owner; a page control by its tabs.
        const QWidget* parent = widget->parentWidget();
        const auto* area = qobject_cast<const QAbstractScrollArea*>(parent);
        if ((widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy() &&
            !qobject_cast<const QAbstractSpinBox*>(parent) &&
            !qobject_cast<const QComboBox*>(parent) && !(area && area->viewport() == widget)) {
            QAccessibleInterface* shown = QAccessible::queryAccessibleInterface(widget);
            const QString name = shown ? shown->text(QAccessible::Name) : QString();
            // Qt falls back on the title of the group a control stands in,
            // which names the group, not the control; and "..." names nothing.
            const auto* group = qobject_cast<const QGroupBox*>(parent);
            if (!name.contains(QRegularExpression(QStringLiteral("\\w"))) ||
                (group && name == QString(group->title()).remove(u'&')))
                faults << QStringLiteral("no accessible name: ") + Described(widget, name);
            // A combo box is named by its value here; its label comes apart.
            else if (!qobject_cast<const QComboBox*>(widget))
                names[name] << Described(widget, name);
        }
    }
    for (const auto& [letter, owners] : letters)
        if (owners.size() > 1)
            faults << QStringLiteral("Alt+%1 shared by ").arg(letter) + owners.join(u", ");
    for (const auto& [name, owners] : names)
        if (owners.size() > 1)
            faults << QStringLiteral("one accessible name for ") + owners.join(u", ");
    return faults;
}

// Faults on every page of every page control of `root`.
QStringList FaultsOnEachPage(QWidget* root)
{
    const QList<QTabWidget*> pageControls = root->findChildren<QTabWidget*>();
    if (pageControls.isEmpty())
        return Faults(root);
    QStringList faults;
    for (QTabWidget* pages : pageControls) {
        const int shown = pages->currentIndex();
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            for (const QString& fault : Faults(root))
                faults << pages->tabText(i) + QStringLiteral(": ") + fault;
        }
        pages->setCurrentIndex(shown);
    }
    faults.removeDuplicates();
    return faults;
}

// Two items of one menu of `root` under one letter.
QStringList MenuFaults(const QWidget* root)
{
    QStringList faults;
    for (const QMenu* menu : root->findChildren<QMenu*>()) {
        std::map<QChar, QStringList> letters;
        for (const QAction* action : menu->actions())
            if (const QChar letter = Mnemonic(action->text()); !letter.isNull())
                letters[letter] << action->text();
        for (const auto& [letter, items] : letters)
            if (items.size() > 1)
                faults << menu->title() + QStringLiteral(": Alt+%1 shared by ").arg(letter) +
                              items.join(u", ");
    }
    return faults;
}

// Runs `open` and, once the dialog it opens is up, `look` at it; then
// closes the dialog, modal or not.
void WithDialog(const std::function<void()>& open, const std::function<void(QDialog&)>& look)
{
    std::set<QWidget*> before;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible())
            before.insert(widget);
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            if (!dialog || !dialog->isVisible() || before.count(dialog) || seen)
                continue;
            seen = true;
            poll.stop();
            look(*dialog);
            dialog->reject();
        }
    });
    poll.start(10);
    open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000)) << "no dialog opened";
}

} // namespace

// Every dialog, page by page, and the main window with its bars and
// menus: no Alt letter twice, none that leads nowhere, and a name for
// every control a screen reader or the Tab key reaches.
TEST_F(WindowFixture, EveryWindowIsUsableByKeyboardAndScreenReader)
{
    auto window = MakeWindow();
    window->show();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));

    const auto check = [](const QString& what, QWidget& root) {
        for (const QString& fault : FaultsOnEachPage(&root) + MenuFaults(&root))
            ADD_FAILURE() << what.toStdString() << ": " << fault.toStdString();
    };
    check(QStringLiteral("main window"), *window);

    for (const char* action :
         {"FileProperties", "FileExport", "FilePrintSettings", "EditFind", "ViewCustomize",
          "ToolsArchive", "ToolsLogFiles", "ToolsCosts", "ToolsBillingMonth", "ToolsCompareTariffs",
          "ToolsOptions", "HelpAbout"}) {
        WithDialog([&] { window->Action(QString::fromLatin1(action))->trigger(); },
                   [&](QDialog& dialog) { check(QString::fromLatin1(action), dialog); });
    }

    // The dialogs no menu item opens at once.
    TTod periods;
    TDlgTod period(periods, QStringLiteral("Additional Charge"));
    check(QStringLiteral("rate period"), period);
    HtmlSettings html;
    HtmlSettingsDialog htmlDialog(html);
    check(QStringLiteral("HTML settings"), htmlDialog);
    TLCfg formats;
    TDlgFirst first(formats, m_folders);
    check(QStringLiteral("first-time setup"), first);
}

// Tab moves through a dialog as one reads it, not in the order its
// controls happened to be made.
TEST_F(WindowFixture, TabFollowsTheReadingOrder)
{
    struct Case {
        const char* Action;
        QStringList Order;
    };
    const Case cases[] = {
        {"ToolsArchive",
         {"EditArchive", "BtnBrowse", "CheckBoxSkip", "CheckBoxClear", "BtnArchive", "BtnCancel",
          "BtnHelp"}},
        {"ViewCustomize",
         {"ListBoxAvailable", "BtnAdd", "BtnRemove", "ListBoxVisible", "CheckBoxLabels",
          "BtnClose"}},
    };
    auto window = MakeWindow();
    window->show();
    ASSERT_TRUE(window->Document().ReadReportFile(ReportPath("A")));
    for (const Case& c : cases) {
        WithDialog([&] { window->Action(QString::fromLatin1(c.Action))->trigger(); },
                   [&](QDialog& dialog) {
                       QStringList order;
                       for (QWidget* w = dialog.nextInFocusChain(); w != &dialog;
                            w = w->nextInFocusChain())
                           if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&dialog) &&
                               !w->objectName().isEmpty())
                               order << w->objectName();
                       EXPECT_EQ(order.join(u' ').toStdString(), c.Order.join(u' ').toStdString());
                   });
    }
}

} // namespace dialtally
