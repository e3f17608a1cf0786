#pragma once

#include <QDialog>

// The program's name, version and what it does.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};
