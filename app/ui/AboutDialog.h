#pragma once

#include <QDialog>

namespace dialtally {

// The program's name, version and what it does.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace dialtally
