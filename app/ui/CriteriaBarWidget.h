#pragma once

#include "reports/ReportDefinition.h"

#include <QToolBar>

#include <string>

class QDateEdit;
class QLineEdit;
class QTimeEdit;
class QToolButton;

namespace dialtally {

// The criteria bar: the dates, times and descriptions of the current
// report, each group behind a quick toggle button with its menu.
class CriteriaBarWidget : public QToolBar {
    Q_OBJECT
public:
    explicit CriteriaBarWidget(QWidget* parent = nullptr);

    // The display step: the controls show the report's criteria. The
    // change rules do not run for it.
    void ShowCriteria(const TCfg& report);
    // The pickers' dates and times and the boxes' words, as the report
    // stores them.
    void ReadCriteria(TCfg& report) const;
    // Puts a word in front of the include or exclude words; the change
    // rule of the boxes runs.
    void AddIncludeWord(const QString& word);
    void AddExcludeWord(const QString& word);
    void SetBeginDate(const QDate& date);
    void SetEndDate(const QDate& date);
    // Follows the regional settings in force.
    void ApplyRegionalFormats();

    QToolButton* DatesButton() const { return m_dates; }
    QToolButton* TimesButton() const { return m_times; }
    QToolButton* DescriptionsButton() const { return m_descriptions; }
    QString IncludeText() const;
    QString ExcludeText() const;

signals:
    // The user changed a date picker (CriteriaDateAll becomes "0").
    void DatesEdited();
    void TimesEdited();
    // The include or exclude words changed, by the user or the program.
    void DescriptionsEdited(bool anyWords);
    // Enter in any of the controls.
    void RefreshRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QToolButton* m_dates;
    QDateEdit* m_dateFrom;
    QDateEdit* m_dateTo;
    QToolButton* m_times;
    QTimeEdit* m_timeFrom;
    QTimeEdit* m_timeTo;
    QToolButton* m_descriptions;
    QLineEdit* m_include;
    QLineEdit* m_exclude;
    // What the boxes were given, kept as bytes: a text in a Windows code
    // page shows decoded and is stored back as it was while unchanged.
    std::string m_shownInclude;
    std::string m_shownExclude;
};

} // namespace dialtally
