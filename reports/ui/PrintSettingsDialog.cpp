#include "reports/ui/PrintSettingsDialog.h"

#include "reports/ColorPalette.h"
#include "reports/ui/DisplayStyle.h"
#include "reports/ui/GridPrinter.h"
#include "reports/ui/PrintDialogs.h"
#include "widgets/DialogParts.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dialtally {

namespace {

// A stored value the list had no entry for is kept.
int ComboValue(const QComboBox* combo, int original)
{
    return combo->currentIndex() >= 0 ? combo->currentIndex() : original;
}

// A size up to 999 units; a stored value outside that range is kept.
QSpinBox* SizeSpin(const QString& name, int value, const QString& suffix = QString())
{
    return NewSpin(name, std::min(0, value), std::max(999, value), value, suffix);
}

QStringList Places()
{
    return {QObject::tr("None"),         QObject::tr("Top left"),    QObject::tr("Top right"),
            QObject::tr("Top centre"),   QObject::tr("Bottom left"), QObject::tr("Bottom right"),
            QObject::tr("Bottom centre")};
}

QWidget* FormPage(QFormLayout*& form)
{
    auto* page = new QWidget;
    form = new QFormLayout(page);
    return page;
}

// A page of captioned rows.
QWidget* FormPage(std::initializer_list<std::pair<QString, QWidget*>> rows)
{
    QFormLayout* form = nullptr;
    QWidget* page = FormPage(form);
    for (const auto& [caption, field] : rows)
        form->addRow(caption, field);
    return page;
}

// 0x00BBGGRR, the settings' colour form.
TColor FromQColor(const QColor& color)
{
    return static_cast<TColor>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

constexpr const char* tenthMm = " tenths of a mm";

} // namespace

PrintSettingsDialog::PrintSettingsDialog(Settings& settings, const ReportOutput& output,
                                         QWidget* parent, const ExportSource* shown)
    : QDialog(parent), m_settings(settings), m_output(output),
      m_shown(shown ? *shown : ShownGrid(output.Table, output.Columns, false)),
      m_initial(settings.Printer), m_fonts{settings.Printer.Font, settings.Printer.HeaderFont,
                                           settings.Printer.FooterFont},
      m_tabs(new QTabWidget)
{
    setWindowTitle(tr("Print Settings"));
    m_tabs->setObjectName(QStringLiteral("PageControl"));
    m_tabs->addTab(BordersPage(), tr("Borders"));
    m_tabs->addTab(GeneralPage(), tr("General"));
    if (!settings.Options.PrintDisplayFonts)
        m_tabs->addTab(FontsPage(), tr("Fonts"));
    m_tabs->addTab(DateTimePage(), tr("Date and Time"));
    m_tabs->addTab(TitlePage(), tr("Title"));
    m_tabs->addTab(PagesPage(), tr("Pages"));
    m_tabs->addTab(MarginsPage(), tr("Margins"));
    m_tabs->addTab(SpacingPage(), tr("Spacing"));

    const DialogButtonRow buttons =
        MakeButtonRow(this, {{tr("Pre&view..."), "BtnPreview", [this] { BtnPreviewClick(); }},
                             {tr("OK"), "BtnOk", [this] { BtnOkClick(); }, true},
                             {tr("Cancel"), "BtnCancel", {}}});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons.Layout);
    // Wide enough that every page's tab shows.
    resize(std::max(640, sizeHint().width()), sizeHint().height());
    TurnPagesByKeyboard(m_tabs);
}

void PrintSettingsDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FocusFirstControl(m_tabs->currentWidget());
}

QWidget* PrintSettingsDialog::BordersPage()
{
    m_borders =
        NewCombo(QStringLiteral("ComboBorders"),
                 {tr("None"), tr("Single"), tr("Double"), tr("Vertical"), tr("Horizontal"),
                  tr("Around"), tr("Around, vertical"), tr("Around, horizontal"), tr("Custom")},
                 m_initial.Borders);
    m_borderStyle = NewCombo(QStringLiteral("ComboBorderStyle"),
                             {tr("Solid"), tr("Dash"), tr("Dot"), tr("Dash dot"),
                              tr("Dash dot dot"), tr("Clear"), tr("Inside frame")},
                             m_initial.BorderStyle);
    return FormPage({{tr("&Borders:"), m_borders}, {tr("Line &style:"), m_borderStyle}});
}

QWidget* PrintSettingsDialog::GeneralPage()
{
    QFormLayout* form = nullptr;
    QWidget* page = FormPage(form);
    m_centered =
        NewCheck(QStringLiteral("CheckCentered"), tr("&Centre on the page"), m_initial.Centered);
    m_noAutoSize = NewCheck(QStringLiteral("CheckNoAutoSize"), tr("&Keep the screen column widths"),
                            m_initial.NoAutoSize);
    m_useFixedHeight = NewCheck(QStringLiteral("CheckUseFixedHeight"), tr("Fixed row &height:"),
                                m_initial.UseFixedHeight);
    m_fixedHeight = SizeSpin(QStringLiteral("EditFixedHeight"), m_initial.FixedHeight,
                             QString::fromLatin1(tenthMm));
    m_useFixedWidth = NewCheck(QStringLiteral("CheckUseFixedWidth"), tr("Fixed column &width:"),
                               m_initial.UseFixedWidth);
    m_fixedWidth = SizeSpin(QStringLiteral("EditFixedWidth"), m_initial.FixedWidth,
                            QString::fromLatin1(tenthMm));
    m_repeatFixedRows =
        NewCheck(QStringLiteral("CheckRepeatFixedRows"), tr("&Repeat the header row on every page"),
                 m_initial.RepeatFixedRows);
    m_repeatFixedCols = NewCheck(QStringLiteral("CheckRepeatFixedCols"),
                                 tr("Repeat fixed c&olumns"), m_initial.RepeatFixedCols);
    m_fitToPage = NewCombo(QStringLiteral("ComboFitToPage"),
                           {tr("Never"), tr("Grow"), tr("Shrink"), tr("Always"), tr("Custom")},
                           m_initial.FitToPage);
    m_orientation = NewCombo(QStringLiteral("ComboOrientation"), {tr("Portrait"), tr("Landscape")},
                             m_initial.Orientation);
    form->addRow(m_centered);
    form->addRow(m_noAutoSize);
    form->addRow(m_useFixedHeight, m_fixedHeight);
    form->addRow(m_useFixedWidth, m_fixedWidth);
    // A check box is no buddy: the sizes beside them take their names.
    m_fixedHeight->setAccessibleName(PlainCaption(m_useFixedHeight->text()));
    m_fixedWidth->setAccessibleName(PlainCaption(m_useFixedWidth->text()));
    form->addRow(m_repeatFixedRows);
    form->addRow(m_repeatFixedCols);
    form->addRow(tr("&Fit to page:"), m_fitToPage);
    form->addRow(tr("Orien&tation:"), m_orientation);
    return page;
}

QWidget* PrintSettingsDialog::FontsPage()
{
    QFormLayout* form = nullptr;
    QWidget* page = FormPage(form);
    const QStringList captions{tr("Cells:"), tr("Page header:"), tr("Page footer:")};
    for (int which = 0; which < 3; ++which) {
        auto* label = new QLabel;
        m_fontLabels[static_cast<std::size_t>(which)] = label;
        auto* button = new QPushButton(tr("Font..."));
        button->setObjectName(QStringLiteral("BtnFont%1").arg(which));
        button->setAccessibleName(PlainCaption(captions[which]) + tr(" font"));
        connect(button, &QPushButton::clicked, this, [this, which] { ChooseFont(which); });
        auto* row = new QHBoxLayout;
        row->addWidget(label, 1);
        row->addWidget(button);
        auto* caption = new QLabel(captions[which]);
        caption->setBuddy(button);
        form->addRow(caption, row);
        ShowFont(which);
    }
    return page;
}

QWidget* PrintSettingsDialog::DateTimePage()
{
    m_date = NewCombo(QStringLiteral("ComboDate"), Places(), m_initial.Date);
    m_dateFormat = NewEdit(QStringLiteral("EditDateFormat"), m_initial.DateFormat);
    m_time = NewCombo(QStringLiteral("ComboTime"), Places(), m_initial.Time);
    return FormPage(
        {{tr("&Date:"), m_date}, {tr("Date &format:"), m_dateFormat}, {tr("&Time:"), m_time}});
}

QWidget* PrintSettingsDialog::TitlePage()
{
    m_title = NewCombo(QStringLiteral("ComboTitle"), Places(), m_initial.Title);
    m_titleText = NewEdit(QStringLiteral("EditTitleText"), m_initial.TitleText);
    return FormPage({{tr("&Position:"), m_title}, {tr("T&itle:"), m_titleText}});
}

QWidget* PrintSettingsDialog::PagesPage()
{
    m_pageNr = NewCombo(QStringLiteral("ComboPageNr"), Places(), m_initial.PageNr);
    m_pagePrefix = NewEdit(QStringLiteral("EditPagePrefix"), m_initial.PagePrefix);
    m_pageNumSep = NewEdit(QStringLiteral("EditPageNumSep"), m_initial.PageNumSep);
    m_pageSuffix = NewEdit(QStringLiteral("EditPageSuffix"), m_initial.PageSuffix);
    return FormPage({{tr("Page &number:"), m_pageNr},
                     {tr("P&refix:"), m_pagePrefix},
                     {tr("Between number and &count:"), m_pageNumSep},
                     {tr("S&uffix:"), m_pageSuffix}});
}

QWidget* PrintSettingsDialog::MarginsPage()
{
    const QString mm = QStringLiteral(" mm");
    m_headerSize = SizeSpin(QStringLiteral("EditHeaderSize"), m_initial.HeaderSize, mm);
    m_footerSize = SizeSpin(QStringLiteral("EditFooterSize"), m_initial.FooterSize, mm);
    m_leftSize = SizeSpin(QStringLiteral("EditLeftSize"), m_initial.LeftSize, mm);
    m_rightSize = SizeSpin(QStringLiteral("EditRightSize"), m_initial.RightSize, mm);
    return FormPage({{tr("&Top:"), m_headerSize},
                     {tr("&Bottom:"), m_footerSize},
                     {tr("&Left:"), m_leftSize},
                     {tr("&Right:"), m_rightSize}});
}

QWidget* PrintSettingsDialog::SpacingPage()
{
    const QString unit = QString::fromLatin1(tenthMm);
    m_columnSpacing = SizeSpin(QStringLiteral("EditColumnSpacing"), m_initial.ColumnSpacing, unit);
    m_rowSpacing = SizeSpin(QStringLiteral("EditRowSpacing"), m_initial.RowSpacing, unit);
    m_titleSpacing = SizeSpin(QStringLiteral("EditTitleSpacing"), m_initial.TitleSpacing, unit);
    return FormPage({{tr("&Columns:"), m_columnSpacing},
                     {tr("&Rows:"), m_rowSpacing},
                     {tr("&Title to table:"), m_titleSpacing}});
}

void PrintSettingsDialog::ChooseFont(int which)
{
    FontSpec& spec = m_fonts[static_cast<std::size_t>(which)];
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, QtFont(spec), this);
    if (!ok)
        return;
    const QColor color = QColorDialog::getColor(
        QColor::fromRgb(static_cast<QRgb>(ResolveColor(spec.Color))), this, tr("Font Colour"));
    spec.Name = font.family().toStdString();
    spec.Size = std::max(1, font.pointSize());
    spec.Style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0) |
                 (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
    if (color.isValid())
        spec.Color = FromQColor(color);
    ShowFont(which);
}

void PrintSettingsDialog::ShowFont(int which)
{
    const FontSpec& spec = m_fonts[static_cast<std::size_t>(which)];
    QLabel* label = m_fontLabels[static_cast<std::size_t>(which)];
    label->setText(
        QStringLiteral("%1, %2 pt").arg(QString::fromStdString(spec.Name)).arg(spec.Size));
    label->setFont(QtFont(spec));
}

PrintSettings PrintSettingsDialog::Collected() const
{
    PrintSettings s = m_initial;
    s.Borders = ComboValue(m_borders, s.Borders);
    s.BorderStyle = ComboValue(m_borderStyle, s.BorderStyle);
    s.Centered = m_centered->isChecked();
    s.NoAutoSize = m_noAutoSize->isChecked();
    s.UseFixedHeight = m_useFixedHeight->isChecked();
    s.FixedHeight = m_fixedHeight->value();
    s.UseFixedWidth = m_useFixedWidth->isChecked();
    s.FixedWidth = m_fixedWidth->value();
    s.RepeatFixedRows = m_repeatFixedRows->isChecked();
    s.RepeatFixedCols = m_repeatFixedCols->isChecked();
    s.FitToPage = ComboValue(m_fitToPage, s.FitToPage);
    s.Orientation = ComboValue(m_orientation, s.Orientation);
    s.Date = ComboValue(m_date, s.Date);
    s.Time = ComboValue(m_time, s.Time);
    s.DateFormat = m_dateFormat->text().toStdString();
    s.Title = ComboValue(m_title, s.Title);
    s.TitleText = m_titleText->text().toStdString();
    s.PageNr = ComboValue(m_pageNr, s.PageNr);
    s.PagePrefix = m_pagePrefix->text().toStdString();
    s.PageNumSep = m_pageNumSep->text().toStdString();
    s.PageSuffix = m_pageSuffix->text().toStdString();
    s.HeaderSize = m_headerSize->value();
    s.FooterSize = m_footerSize->value();
    s.LeftSize = m_leftSize->value();
    s.RightSize = m_rightSize->value();
    s.ColumnSpacing = m_columnSpacing->value();
    s.RowSpacing = m_rowSpacing->value();
    s.TitleSpacing = m_titleSpacing->value();
    s.Font = m_fonts[0];
    s.HeaderFont = m_fonts[1];
    s.FooterFont = m_fonts[2];
    return s;
}

void PrintSettingsDialog::BtnOkClick()
{
    m_settings.Printer = Collected();
    accept();
}

void PrintSettingsDialog::BtnPreviewClick()
{
    QPrinter& printer = CurrentPrinter();
    printer.setPageOrientation(Collected().Orientation == 1 ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
    const Settings settings = Edited();
    GridPrinter job(m_shown, m_output.Columns, settings);
    job.Layout(printer);
    // Such pages would preview blank, and printing refuses them.
    if (!job.HasRoom()) {
        ShowNoRoomOnThePage();
        return;
    }
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            &PrintSettingsDialog::PaintPreview);
    // Its own Print would write past the page range, the refusal of the
    // report's own files and the atomic write; File, Print has them all.
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : preview.findChildren<QAction*>())
        if (action->text() == print)
            action->setVisible(false);
    preview.exec();
    // Turned in the preview, the page stays turned for OK and the print.
    m_orientation->setCurrentIndex(
        printer.pageLayout().orientation() == QPageLayout::Landscape ? 1 : 0);
}

void PrintSettingsDialog::PaintPreview(QPrinter* printer)
{
    const Settings settings = Edited();
    GridPrinter job(m_shown, m_output.Columns, settings);
    const int pages = job.Layout(*printer);
    QPainter painter;
    if (!painter.begin(printer))
        return;
    job.DrawPages(painter, *printer, 1, pages);
}

Settings PrintSettingsDialog::Edited() const
{
    Settings settings = m_settings;
    settings.Printer = Collected();
    return settings;
}

} // namespace dialtally
