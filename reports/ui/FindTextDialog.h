#pragma once

#include "reports/ReportSearch.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace dialtally {

// The modeless find dialog of the report grid: the text, the direction,
// match case and whole word. It opens with none of them set (upwards).
class FindTextDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindTextDialog(QWidget* parent = nullptr);

    QString Text() const;
    FindOptions Options() const;

signals:
    void FindRequested(const QString& text, const FindOptions& options);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_text;
    QCheckBox* m_wholeWord;
    QCheckBox* m_matchCase;
    QRadioButton* m_up;
    QRadioButton* m_down;
};

} // namespace dialtally
