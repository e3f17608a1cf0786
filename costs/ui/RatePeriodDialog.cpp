#include "costs/ui/RatePeriodDialog.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/Messages.h"
#include "costs/TariffEdits.h"
#include "widgets/DialogParts.h"
#include "widgets/HelpWindow.h"
#include "widgets/RegionalPickerWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace dialtally {

namespace {

constexpr int HelpPeriod = 3420;

// A stored time that does not read as one shows midnight.
QTime StoredTime(const std::string& text)
{
    try {
        const double day = TextToTime(text);
        const double ms = std::round((day - std::floor(day)) * 86'400'000.0);
        return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms) % 86'400'000);
    } catch (const ConversionError&) {
        return QTime(0, 0);
    }
}

std::string TimeText(const QTime& time)
{
    return TimeToText(EncodeTime(time.hour(), time.minute(), time.second(), 0));
}

std::string EditText(const QLineEdit* edit, const char* whenEmpty)
{
    const std::string text = edit->text().toStdString();
    return text.empty() ? std::string(whenEmpty) : text;
}

QTimeEdit* NewTimeEdit(const char* objectName)
{
    auto* edit = new QTimeEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    // As the criteria's pickers, so that a time can be typed as written.
    SetupRegionalTimePicker(edit);
    return edit;
}

QLineEdit* NewEdit(const char* objectName)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaximumWidth(80);
    return edit;
}

} // namespace

TDlgTod::TDlgTod(TTod& periods, const QString& caption, QWidget* parent)
    : QDialog(parent), m_periods(periods), m_mondayToFriday(new QCheckBox(tr("&M-F"))),
      m_saturday(new QCheckBox(tr("&Saturday"))), m_sunday(new QCheckBox(tr("S&unday"))),
      m_from(NewTimeEdit("TimeFrom")), m_to(NewTimeEdit("TimeTo")),
      m_applyFree(new QCheckBox(tr("&Apply free hours to this period"))),
      m_unitCharge(NewEdit("EditUnitCharge")), m_unitMinutes(NewEdit("EditUnitMinutes")),
      m_initialCharge(NewEdit("EditInitialCharge")), m_initialMinutes(NewEdit("EditInitialMinutes"))
{
    setWindowTitle(caption);
    setObjectName(QStringLiteral("DlgTod"));
    m_mondayToFriday->setObjectName(QStringLiteral("CheckMondayToFriday"));
    m_saturday->setObjectName(QStringLiteral("CheckSaturday"));
    m_sunday->setObjectName(QStringLiteral("CheckSunday"));
    m_applyFree->setObjectName(QStringLiteral("CheckApplyFree"));

    auto* period = new QGroupBox(tr("Period"));
    auto* periodGrid = new QGridLayout(period);
    periodGrid->addWidget(m_mondayToFriday, 0, 0);
    periodGrid->addWidget(m_saturday, 1, 0);
    periodGrid->addWidget(m_sunday, 2, 0);
    periodGrid->addWidget(BuddyLabel(tr("&From"), m_from), 0, 1);
    periodGrid->addWidget(m_from, 0, 2);
    periodGrid->addWidget(BuddyLabel(tr("&To"), m_to), 1, 1);
    periodGrid->addWidget(m_to, 1, 2);

    auto* charge = new QGroupBox(tr("Charge"));
    auto* chargeGrid = new QGridLayout(charge);
    chargeGrid->addWidget(m_applyFree, 0, 0, 1, 5);
    chargeGrid->addWidget(BuddyLabel(tr("A &charge of"), m_unitCharge), 1, 0);
    chargeGrid->addWidget(m_unitCharge, 1, 1);
    chargeGrid->addWidget(BuddyLabel(tr("for &every"), m_unitMinutes), 1, 2);
    chargeGrid->addWidget(m_unitMinutes, 1, 3);
    chargeGrid->addWidget(new QLabel(tr("minute(s)")), 1, 4);
    chargeGrid->addWidget(BuddyLabel(tr("An &initial charge of"), m_initialCharge), 2, 0);
    chargeGrid->addWidget(m_initialCharge, 2, 1);
    chargeGrid->addWidget(BuddyLabel(tr("f&or the first"), m_initialMinutes), 2, 2);
    chargeGrid->addWidget(m_initialMinutes, 2, 3);
    chargeGrid->addWidget(new QLabel(tr("minute(s)")), 2, 4);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addWidget(charge);
    layout->addLayout(OkCancelHelpRow(
        this, [this] { BtnOkClick(); }, [this] { BtnHelpClick(); }));
    LoadPeriod();
    // The caption names the provider, which can make it longer than the
    // fields are wide.
    setFixedSize(std::max(sizeHint().width(), CaptionWidth(*this)), sizeHint().height());
}

void TDlgTod::LoadPeriod()
{
    const int k = m_periods.Current;
    if (k < 1 || k > TTod::MaxPeriods)
        return;
    m_mondayToFriday->setChecked(m_periods.MondayToFriday[k]);
    m_saturday->setChecked(m_periods.Saturday[k]);
    m_sunday->setChecked(m_periods.Sunday[k]);
    m_applyFree->setChecked(m_periods.ApplyFree[k]);
    m_from->setTime(StoredTime(m_periods.TimeFrom[k]));
    m_to->setTime(StoredTime(m_periods.TimeTo[k]));
    m_unitCharge->setText(QString::fromStdString(m_periods.UnitCharge[k]));
    m_unitMinutes->setText(QString::fromStdString(m_periods.UnitMinutes[k]));
    m_initialCharge->setText(QString::fromStdString(m_periods.InitialCharge[k]));
    m_initialMinutes->setText(QString::fromStdString(m_periods.InitialMinutes[k]));
}

void TDlgTod::BtnOkClick()
{
    for (const auto& [edit, kind] : {std::pair{m_unitCharge, RatePeriodEdit::Charge},
                                     std::pair{m_unitMinutes, RatePeriodEdit::UnitMinutes},
                                     std::pair{m_initialCharge, RatePeriodEdit::Charge},
                                     std::pair{m_initialMinutes, RatePeriodEdit::WholeMinutes}}) {
        const std::string text = edit->text().toStdString();
        if (const std::string problem = RatePeriodEditProblem({text, kind}); !problem.empty()) {
            ShowError(problem);
            edit->setFocus();
            edit->selectAll();
            return;
        }
    }
    const int k = m_periods.Current;
    if (k >= 1 && k <= TTod::MaxPeriods) {
        m_periods.MondayToFriday[k] = m_mondayToFriday->isChecked();
        m_periods.Saturday[k] = m_saturday->isChecked();
        m_periods.Sunday[k] = m_sunday->isChecked();
        m_periods.ApplyFree[k] = m_applyFree->isChecked();
        m_periods.TimeFrom[k] = TimeText(m_from->time());
        m_periods.TimeTo[k] = TimeText(m_to->time());
        m_periods.UnitCharge[k] = EditText(m_unitCharge, "0");
        m_periods.UnitMinutes[k] = EditText(m_unitMinutes, "1");
        m_periods.InitialCharge[k] = EditText(m_initialCharge, "0");
        m_periods.InitialMinutes[k] = EditText(m_initialMinutes, "0");
    }
    accept();
}

void TDlgTod::BtnHelpClick()
{
    HelpWindow::ShowTopic(HelpPeriod);
}

} // namespace dialtally
