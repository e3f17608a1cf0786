#pragma once

#include "costs/Links.h"
#include "costs/Providers.h"

#include <QDialog>

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QTabWidget;
class QTableWidget;

namespace dialtally {

class TDlgTod;

// The "Costs" dialog: providers with their rate periods, and the links from
// descriptions to providers, edited on copies of both tables. OK puts the
// copies back and saves Dialtally.prv and Dialtally.srv; exec() then
// returns Accepted.
class TDlgCost : public QDialog {
    Q_OBJECT
public:
    TDlgCost(TProv& providers, TServ& links, std::string programFolder, QWidget* parent = nullptr);

    // Runs the rate period dialog; defaults to exec(). Tests answer here.
    std::function<int(TDlgTod& dialog)> RunPeriodDialog;

    const TProv& WorkingProviders() const { return m_providers; }
    const TServ& WorkingLinks() const { return m_links; }
    const TTod& PeriodScratch() const { return m_tod; }

    void ListBoxProvClick();
    void EditMonthChargeExit();
    // Says so and takes the focus there when the monthly charge is no amount
    // or the free hours no whole number.
    bool MonthFiguresAreNumbers();
    void BtnAddProvClick();
    void BtnRemoveProvClick();
    void BtnModifyProvClick();
    void BtnAddTodClick();
    void BtnRemoveTodClick();
    void BtnModifyTodClick();
    void PopupTodPopup();
    void ListBoxServClick();
    void BtnAddServClick();
    void BtnRemoveServClick();
    void BtnModifyServClick();
    void BtnOkClick();
    void BtnHelpClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildProvidersPage();
    QWidget* BuildLinksPage();

    void ShowProvider();
    void StoreProvider();
    void WritePeriodRow(int k);
    void ClearPeriodRow(int k);
    int SelectedPeriodRow() const;
    void SelectPeriodRow(int k);
    int RunPeriod(const QString& caption);

    void ShowLink();
    void StoreLink();
    void ReplaceProviderChoice(const QString& oldName, const QString& newName);

    TProv& m_globalProviders;
    TServ& m_globalLinks;
    TProv m_providers;
    TServ m_links;
    TTod m_tod; // the periods of the shown provider
    std::string m_programFolder;

    QTabWidget* m_pages;
    QListWidget* m_provList;
    QLineEdit* m_provName;
    QComboBox* m_monthBegin;
    QLineEdit* m_monthCharge;
    QLineEdit* m_monthFree;
    QTableWidget* m_grid;
    QMenu* m_todMenu;
    QListWidget* m_servList;
    QLineEdit* m_service;
    QComboBox* m_servProvider;
    bool m_focused = false;
};

} // namespace dialtally
