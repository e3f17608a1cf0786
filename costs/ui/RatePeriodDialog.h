#pragma once

#include "costs/Providers.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTimeEdit;

namespace dialtally {

// The "Additional Charge" dialog: edits period Current of a rate period
// table; only OK writes the period back.
class TDlgTod : public QDialog {
    Q_OBJECT
public:
    TDlgTod(TTod& periods, const QString& caption, QWidget* parent = nullptr);

    void BtnOkClick();
    void BtnHelpClick();

private:
    void LoadPeriod();

    TTod& m_periods;
    QCheckBox* m_mondayToFriday;
    QCheckBox* m_saturday;
    QCheckBox* m_sunday;
    QTimeEdit* m_from;
    QTimeEdit* m_to;
    QCheckBox* m_applyFree;
    QLineEdit* m_unitCharge;
    QLineEdit* m_unitMinutes;
    QLineEdit* m_initialCharge;
    QLineEdit* m_initialMinutes;
};

} // namespace dialtally
