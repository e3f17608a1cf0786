#pragma once

#include <QHBoxLayout>

#include <functional>

class QDialog;

namespace dialtally {

// The "OK", "Cancel" and "&Help" row of the program's dialogs, right
// aligned, OK the default; Cancel rejects the dialog. The buttons are
// named BtnOk, BtnCancel and BtnHelp.
QHBoxLayout* OkCancelHelpRow(QDialog* dialog, std::function<void()> onOk,
                             std::function<void()> onHelp);

} // namespace dialtally
