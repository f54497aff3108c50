#include "vorplan/results/ui/label_print_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <map>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/print_jobs.h"
#include "platform/qt_text.h"
#include "platform/window_activation.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/common/language_texts.h"
#include "vorplan/common/material_record.h"
#include "vorplan/common/order_list.h"
#include "vorplan/common/real_helpers.h"
#include "vorplan/common/text_file.h"
#include "vorplan/common/ui/widget_helpers.h"
#include "vorplan/layoutview/map_print.h"
#include "vorplan/layoutview/viewer_settings.h"
#include "vorplan/orders/table_files.h"
#include "vorplan/results/label_printing.h"
#include "vorplan/results/ui/label_format_window.h"

namespace vor {

TForm8* Form8 = nullptr;

namespace {

using platform::ToQString;

std::string TwoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

std::string Today()
{
    const platform::LocalTime now = platform::GetClock().Now();
    return TwoDigits(now.day) + "/" + TwoDigits(now.month) + "/" + TwoDigits(now.year);
}

// What the label sets read from the files of the installation; each order is read once.
LabelSetInputs FileInputs()
{
    LabelSetInputs in;
    in.page = gShared.settings.labels;
    in.date = Today();
    const DataFolders folders = gShared.folders;
    auto fields = std::make_shared<std::map<int, std::pair<std::string, std::string>>>();
    in.orderFields = [folders, fields](int order) {
        auto found = fields->find(order);
        if (found != fields->end())
            return found->second;
        std::pair<std::string, std::string> value{"---", "---"};
        try {
            const IniFile description(ProjectDescriptionFile(folders, order));
            value.first = description.ReadString("PED", "CAMPO1", "");
            value.second = description.ReadString("PED", "CAMPO2", "");
        } catch (const std::exception&) {
            // no description file: both stay "---"
        }
        if (value.first.empty())
            value.first = "---";
        if (value.second.empty())
            value.second = "---";
        return fields->emplace(order, value).first->second;
    };
    const bool internal = gShared.settings.internalTables;
    auto tables = std::make_shared<std::map<int, std::vector<PieceLineFields>>>();
    in.orderSize = [folders, internal, tables](int order, int code) {
        auto found = tables->find(order);
        if (found == tables->end()) {
            std::vector<PieceLineFields> rows;
            if (const auto lines = ReadTextLines(OrderTableFile(folders, order, internal)))
                for (const std::string& line : *lines)
                    rows.push_back(ParsePieceLine(line));
            found = tables->emplace(order, std::move(rows)).first;
        }
        for (const PieceLineFields& row : found->second)
            if (row.code == code)
                return std::pair<long long, long long>{MillimetresToTenths(row.width),
                                                       MillimetresToTenths(row.height)};
        return std::pair<long long, long long>{0, 0};
    };
    try {
        const IniFile calc(CalcDataFile(folders));
        in.borderLength = calc.ReadInteger("DADOS_CONF_CALC", "BORDA_PECA_L", 0);
        in.borderHeight = calc.ReadInteger("DADOS_CONF_CALC", "BORDA_PECA_H", 0);
    } catch (const std::exception&) {
        in.borderLength = in.borderHeight = 0;
    }
    return in;
}

// The PDF file of a print into a file: the one chosen in the dialog, else a new one in EXPORT.
std::filesystem::path PdfTarget(const std::string& what)
{
    platform::PrintJobs& jobs = platform::PrintService();
    if (!jobs.PrintsToFile())
        return {};
    if (!jobs.OutputFile().empty())
        return jobs.OutputFile();
    return FreeExportPdfFile(gShared.folders.exportDir, what + "_" + FileStamp(platform::GetClock().Now()));
}

void ReportPrint(bool printed, const std::filesystem::path& pdf)
{
    if (!printed)
        ShowPrinterWarning();
    else
        platform::ShowMessage(pdf.empty() ? Msg(478) : Msg(478) + "\n" + pdf.string());
}

}  // namespace

TForm8::TForm8(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* outer = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    outer->addWidget(PageControl1);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* layouts = new QVBoxLayout(TabSheet1);
    Label3 = new QLabel(TabSheet1);
    Label3->setObjectName(QStringLiteral("Label3"));
    layouts->addWidget(Label3);
    auto* row = new QHBoxLayout;
    ListBox1 = new QListWidget(TabSheet1);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::MultiSelection);
    ListBox1->setMaximumWidth(120);
    row->addWidget(ListBox1);
    auto* right = new QVBoxLayout;
    GroupBox1 = new QGroupBox(TabSheet1);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* kinds = new QVBoxLayout(GroupBox1);
    CheckBox3 = new QCheckBox(GroupBox1);
    CheckBox3->setObjectName(QStringLiteral("CheckBox3"));
    CheckBox3->setChecked(true);
    CheckBox2 = new QCheckBox(GroupBox1);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    kinds->addWidget(CheckBox3);
    kinds->addWidget(CheckBox2);
    right->addWidget(GroupBox1);
    CheckBox4 = new QCheckBox(TabSheet1);
    CheckBox4->setObjectName(QStringLiteral("CheckBox4"));
    right->addWidget(CheckBox4);
    right->addStretch(1);
    Button5 = MakeButton(TabSheet1, "Button5");
    Button3 = MakeButton(TabSheet1, "Button3");
    right->addWidget(Button5);
    right->addWidget(Button3);
    row->addLayout(right, 1);
    layouts->addLayout(row, 1);
    PageControl1->addTab(TabSheet1, QString());

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* orders = new QVBoxLayout(TabSheet2);
    ListBox2 = new QListWidget(TabSheet2);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    orders->addWidget(ListBox2, 1);
    Button4 = MakeButton(TabSheet2, "Button4");
    orders->addWidget(Button4, 0, Qt::AlignRight);
    PageControl1->addTab(TabSheet2, QString());

    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    outer->addWidget(CheckBox1);
    auto* bottom = new QHBoxLayout;
    Button6 = MakeButton(this, "Button6");
    Button2 = MakeButton(this, "Button2");
    bottom->addWidget(Button6);
    bottom->addStretch(1);
    bottom->addWidget(Button2);
    outer->addLayout(bottom);
    resize(560, 420);

    connect(ListBox1, &QListWidget::itemClicked, this, [this] { Button5->setEnabled(true); });
    connect(ListBox2, &QListWidget::itemClicked, this, [this] {
        const int current = ListBox2->currentRow();
        if (current >= 0 && static_cast<std::size_t>(current) < m_orders.size()) {
            m_order = m_orders[static_cast<std::size_t>(current)];
            Button4->setEnabled(true);
        }
    });
    connect(Button5, &QPushButton::clicked, this, &TForm8::Button5Click);
    connect(Button4, &QPushButton::clicked, this, &TForm8::Button4Click);
    connect(Button3, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(Button6, &QPushButton::clicked, this, [] { platform::PrintService().PrintSetup(); });

    PageControl1->setCurrentIndex(0);
    m_activation = new platform::WindowActivation(this);
    m_activation->SetCloseOnDeactivation(true);
    connect(m_activation, &platform::WindowActivation::Activated, this, &TForm8::FormActivate);
}

TForm8::~TForm8()
{
    if (Form8 == this)
        Form8 = nullptr;
}

void TForm8::SetCaptions()
{
    setWindowTitle(ToQString(Msg(12)));
    PageControl1->setTabText(0, ToQString(Msg(13)));
    PageControl1->setTabText(1, ToQString(Msg(20)));
    GroupBox1->setTitle(ToQString(Msg(15)));
    CheckBox3->setText(ToQString(Msg(16)));
    CheckBox2->setText(ToQString(Msg(17)));
    CheckBox4->setText(ToQString(Msg(1005)));
    Button5->setText(ToQString(Msg(18)));
    Button4->setText(ToQString(Msg(18)));
    Button3->setText(ToQString(Msg(19)));
    CheckBox1->setText(ToQString(Msg(614)));
    Button6->setText(ToQString(Msg(615)));
    Button2->setText(ToQString(Msg(616)));
}

void TForm8::FormActivate()
{
    SetCaptions();
    LoadMaterial(gShared.currentMaterial);
    Label3->setText(ToQString(Msg(14) + " " + std::to_string(gShared.currentMaterial) + " - " +
                              gShared.currentMaterialRecord.description));
    m_offcutTemplate = ReadOffcutLabelTemplate(gShared.folders);

    m_layouts = LabelLayoutNumbers(gShared.folders, gShared.currentMaterial);
    ListBox1->clear();
    for (const long long n : m_layouts)
        ListBox1->addItem(QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')));
    Button5->setEnabled(false);

    RefreshOrderListIfDirty();
    ListBox2->clear();
    m_orders.clear();
    const OrderList& list = gShared.orderList;
    for (long i = 1; i <= list.count; ++i) {
        const OrderRecord& record = list.records[i];
        std::string description = record.description;
        TildeToBlank(description);
        m_orders.push_back(record.number);
        ListBox2->addItem(QStringLiteral("%1  ").arg(record.number, 5, 10, QLatin1Char('0')) +
                          ToQString(description));
    }
    m_order = 0;
    Button4->setEnabled(false);

    if (m_layouts.empty()) {
        platform::ShowMessage(Msg(57));
        QTimer::singleShot(0, this, &QWidget::close);
    }
}

void TForm8::Button5Click()
{
    platform::PrintJobs& jobs = platform::PrintService();
    if (!jobs.PrintSetup())
        return;
    LabelSetInputs in = FileInputs();
    in.offcutTemplate = m_offcutTemplate;
    in.materialCode = gShared.currentMaterial;
    in.materialDescription = gShared.currentMaterialRecord.description;
    in.pieces = CheckBox3->isChecked();
    in.offcuts = CheckBox2->isChecked();
    in.identification = CheckBox4->isChecked();
    std::vector<long long> chosen;
    for (int i = 0; i < ListBox1->count(); ++i)
        if (ListBox1->item(i)->isSelected() && static_cast<std::size_t>(i) < m_layouts.size())
            chosen.push_back(m_layouts[static_cast<std::size_t>(i)]);
    if (chosen.empty() || (!in.pieces && !in.offcuts)) {
        platform::ShowMessage(Msg(93));
        return;
    }
    if (const int error = CheckLabelFormat(in.page)) {
        platform::ShowMessage(LabelFormatErrorText(error));
        return;
    }
    Button5->setEnabled(false);
    std::vector<PrintedLabel> labels;
    for (const long long n : chosen) {
        const Path file = LayoutFile(gShared.folders, n, gShared.currentMaterial);
        const std::optional<LayoutFileContents> contents = ReadLayoutFileContents(file);
        // A layout read only in part would print a sheet of labels that looks complete.
        if (!contents || contents->linesLeftOut > 0) {
            platform::ShowMessage(Msg(619) + "\n" + file.string());
            continue;
        }
        const std::vector<PrintedLabel> set = LayoutLabels(*contents, n, in);
        labels.insert(labels.end(), set.begin(), set.end());
    }
    if (!labels.empty()) {
        const std::filesystem::path pdf = PdfTarget("ETIQUETAS_" + std::to_string(gShared.currentMaterial));
        ReportPrint(PrintLabels(jobs, in.page, CheckBox1->isChecked(), BaseFile(gShared.folders, "GRF.BMP"),
                                labels, pdf),
                    pdf);
    }
    Button5->setEnabled(true);
}

void TForm8::Button4Click()
{
    if (m_order <= 0)
        return;
    LabelSetInputs in = FileInputs();
    if (const int error = CheckLabelFormat(in.page)) {
        platform::ShowMessage(LabelFormatErrorText(error));
        return;
    }
    std::vector<OrderLabelRow> rows;
    const Path table = OrderTableFile(gShared.folders, m_order, gShared.settings.internalTables);
    if (const auto lines = ReadTextLines(table))
        for (const std::string& line : *lines) {
            const PieceLineFields f = ParsePieceLine(line);
            rows.push_back({f.mark, f.code, f.quantity, f.width, f.height, f.material, f.description});
        }
    // Each row's own material, read aside: the current material stays as it is.
    std::map<int, std::string> materials;
    const DataFolders folders = gShared.folders;
    const std::vector<PrintedLabel> labels = OrderLabels(m_order, rows, in, [&](int code) {
        auto found = materials.find(code);
        if (found == materials.end())
            found = materials.emplace(code, LoadMaterial(folders, code).description).first;
        return found->second;
    });
    const std::filesystem::path pdf = PdfTarget("ETIQUETAS_P" + std::to_string(m_order));
    ReportPrint(PrintLabels(platform::PrintService(), in.page, CheckBox1->isChecked(),
                            BaseFile(gShared.folders, "GRF.BMP"), labels, pdf),
                pdf);
}

void TForm8::Button3Click()
{
    TForm13* form = CreateForm13();
    // Shown as this window's own dialog, so opening it does not close this one.
    const Qt::WindowFlags flags = form->windowFlags();
    form->setParent(this, flags | Qt::Dialog);
    form->FormActivate();
    form->exec();
    form->setParent(nullptr, flags);
    m_offcutTemplate = ReadOffcutLabelTemplate(gShared.folders);
}

void TForm8::Button2Click()
{
    const LabelPageSettings& page = gShared.settings.labels;
    if (const int error = CheckLabelFormat(page)) {
        platform::ShowMessage(LabelFormatErrorText(error));
        return;
    }
    const std::filesystem::path pdf = PdfTarget("ETIQUETAS_TESTE");
    ReportPrint(PrintLabelTestPage(platform::PrintService(), page, pdf), pdf);
}

TForm8* CreateForm8()
{
    if (!Form8)
        Form8 = new TForm8;
    return Form8;
}

void ShowLabelWindow()
{
    TForm8* form = CreateForm8();
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace vor
