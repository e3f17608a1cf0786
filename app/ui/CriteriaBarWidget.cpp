#include "app/ui/CriteriaBarWidget.h"

#include "base/ConversionError.h"
#include "base/DateRoutines.h"
#include "base/DateTime.h"
#include "base/RegionalSettings.h"
#include "reports/GridCriteria.h"
#include "widgets/DialogParts.h"
#include "widgets/RegionalPickerWidget.h"

#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTimeEdit>
#include <QToolButton>

namespace dialtally {

namespace {

QToolButton* ToggleButton(const QString& name, const QString& tip, QStyle::StandardPixmap icon,
                          QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setText(tip);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    return button;
}

// The report's text, or the fallback when it does not read.
QDate DateOrToday(const std::string& text)
{
    try {
        return ToQDate(TextToDate(text));
    } catch (const ConversionError&) {
        return QDate::currentDate();
    }
}

QTime TimeOrMidnight(const std::string& text, const QTime& fallback)
{
    try {
        return ToQTime(TextToTime(text));
    } catch (const ConversionError&) {
        return fallback;
    }
}

void SetTextQuietly(QLineEdit* edit, const std::string& text)
{
    const QSignalBlocker block(edit);
    edit->setText(LogText(text));
}

} // namespace

CriteriaBarWidget::CriteriaBarWidget(QWidget* parent)
    : QToolBar(tr("Criteria"), parent),
      m_dates(ToggleButton(QStringLiteral("ToolButtonDate"), QStringLiteral("Dates"),
                           QStyle::SP_FileDialogInfoView, this)),
      m_dateFrom(new QDateEdit(this)), m_dateTo(new QDateEdit(this)),
      m_times(ToggleButton(QStringLiteral("ToolButtonTime"), QStringLiteral("Times"),
                           QStyle::SP_BrowserReload, this)),
      m_timeFrom(new QTimeEdit(this)), m_timeTo(new QTimeEdit(this)),
      m_descriptions(ToggleButton(QStringLiteral("ToolButtonFilt"), QStringLiteral("Descriptions"),
                                  QStyle::SP_FileDialogListView, this)),
      m_include(new QLineEdit(this)), m_exclude(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CriteriaBar"));
    m_dateFrom->setObjectName(QStringLiteral("DateTimePickerDateF"));
    m_dateTo->setObjectName(QStringLiteral("DateTimePickerDateT"));
    m_timeFrom->setObjectName(QStringLiteral("DateTimePickerTimeF"));
    m_timeTo->setObjectName(QStringLiteral("DateTimePickerTimeT"));
    m_include->setObjectName(QStringLiteral("EditInc"));
    m_exclude->setObjectName(QStringLiteral("EditExc"));
    m_dateFrom->setToolTip(QStringLiteral("Begin Date"));
    m_dateTo->setToolTip(QStringLiteral("End Date"));
    m_timeFrom->setToolTip(QStringLiteral("Begin Time"));
    m_timeTo->setToolTip(QStringLiteral("End Time"));
    m_include->setToolTip(QStringLiteral("Include Descriptions"));
    m_exclude->setToolTip(QStringLiteral("Exclude Descriptions"));
    // Only a tip stands beside them: it names them to a screen reader too.
    for (QWidget* edit : std::initializer_list<QWidget*>{m_dateFrom, m_dateTo, m_timeFrom, m_timeTo,
                                                         m_include, m_exclude})
        edit->setAccessibleName(edit->toolTip());
    m_include->setFixedWidth(90);
    m_exclude->setFixedWidth(90);
    ApplyRegionalFormats();

    addWidget(m_dates);
    addWidget(m_dateFrom);
    addWidget(m_dateTo);
    addSeparator();
    addWidget(m_times);
    addWidget(m_timeFrom);
    addWidget(m_timeTo);
    addSeparator();
    addWidget(m_descriptions);
    addWidget(m_include);
    addWidget(m_exclude);

    for (QDateEdit* edit : {m_dateFrom, m_dateTo}) {
        connect(edit, &QDateEdit::dateChanged, this, [this] { emit DatesEdited(); });
        edit->installEventFilter(this);
    }
    for (QTimeEdit* edit : {m_timeFrom, m_timeTo}) {
        connect(edit, &QTimeEdit::timeChanged, this, [this] { emit TimesEdited(); });
        edit->installEventFilter(this);
    }
    for (QLineEdit* edit : {m_include, m_exclude}) {
        connect(edit, &QLineEdit::textChanged, this, [this] {
            emit DescriptionsEdited(!m_include->text().isEmpty() || !m_exclude->text().isEmpty());
        });
        edit->installEventFilter(this);
    }
}

void CriteriaBarWidget::ApplyRegionalFormats()
{
    for (QDateEdit* edit : {m_dateFrom, m_dateTo})
        SetupRegionalDatePicker(edit);
    for (QTimeEdit* edit : {m_timeFrom, m_timeTo})
        SetupRegionalTimePicker(edit);
}

void CriteriaBarWidget::ShowCriteria(const TCfg& report)
{
    const QSignalBlocker a(m_dateFrom), b(m_dateTo), c(m_timeFrom), d(m_timeTo);
    m_dateFrom->setDate(DateOrToday(report.CriteriaDateFrom));
    m_dateTo->setDate(DateOrToday(report.CriteriaDateTo));
    m_timeFrom->setTime(TimeOrMidnight(report.CriteriaTimeFrom, QTime(0, 0)));
    m_timeTo->setTime(TimeOrMidnight(report.CriteriaTimeTo, QTime(23, 59, 59)));
    SetTextQuietly(m_include, report.CriteriaInclude);
    SetTextQuietly(m_exclude, report.CriteriaExclude);
    m_shownInclude = report.CriteriaInclude;
    m_shownExclude = report.CriteriaExclude;
}

void CriteriaBarWidget::ReadCriteria(TCfg& report) const
{
    report.CriteriaDateFrom = DateToDisplayText(FromQDate(m_dateFrom->date()));
    report.CriteriaDateTo = DateToDisplayText(FromQDate(m_dateTo->date()));
    report.CriteriaTimeFrom = TimeToText(FromQTime(m_timeFrom->time()));
    report.CriteriaTimeTo = TimeToText(FromQTime(m_timeTo->time()));
    report.CriteriaInclude = EditedText(m_include->text(), m_shownInclude);
    report.CriteriaExclude = EditedText(m_exclude->text(), m_shownExclude);
}

void CriteriaBarWidget::AddIncludeWord(const QString& word)
{
    m_include->setText(QString::fromStdString(
        AddDescriptionWord(word.toStdString(), m_include->text().toStdString())));
}

void CriteriaBarWidget::AddExcludeWord(const QString& word)
{
    m_exclude->setText(QString::fromStdString(
        AddDescriptionWord(word.toStdString(), m_exclude->text().toStdString())));
}

void CriteriaBarWidget::SetBeginDate(const QDate& date)
{
    m_dateFrom->setDate(date);
}

void CriteriaBarWidget::SetEndDate(const QDate& date)
{
    m_dateTo->setDate(date);
}

QString CriteriaBarWidget::IncludeText() const
{
    return m_include->text();
}

QString CriteriaBarWidget::ExcludeText() const
{
    return m_exclude->text();
}

bool CriteriaBarWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit RefreshRequested();
            return true;
        }
    }
    return QToolBar::eventFilter(watched, event);
}

} // namespace dialtally
