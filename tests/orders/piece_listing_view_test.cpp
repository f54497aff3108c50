// The generated budget as ostrel shows and prints it.
#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QStringList>
#include <memory>
#include <string>

#include "ostrel/ostrel_settings.h"
#include "tests/orders/piece_listing_messages.h"
#include "tests/ostrel/ostrel_test_support.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ini_file.h"
#include "vorplan/orders/piece_listing.h"

namespace {

namespace fs = std::filesystem;

class PieceListingViewTest : public ostreltest::OstrelTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vortest::SetPieceListingMessages(vor::gShared.messages);
    }
    void TearDown() override { vor::gShared = *m_saved; }

    // The budget of two materials, the second coming back, in base/TMP.
    fs::path WriteBudget() const
    {
        vor::PieceListingInput in;
        in.rows = {{"+", "1", "2", "1000", "500", "5", "Tampo da mesa", ""},
                   {"+", "2", "4", "720", "450", "7", "Porta de correr", ""},
                   {"+", "3", "1", "1234", "567", "5", "Prateleira", ""}};
        in.orderNumber = 42;
        in.description = "Cozinha Silva";
        in.fields = {"Ana Souza", "5555-1234", "", "", "", "", "", ""};
        in.fieldTitles = {"Cliente", "Telefone", "Endereço", "Entrega", "Vendedor", "Obs.", "", ""};
        in.budget = true;
        in.printPerimeter = true;
        in.roundedArea = true;
        in.currency = "R$";
        in.material = [](long long code) {
            vor::MaterialRecord r;
            r.description = code == 5 ? "MDF branco 15mm" : "Vidro 4mm";
            r.purchasePrice = code == 5 ? 1234.5 : 80;
            r.cutPriceFactor = code == 5 ? 2 : 0;
            return r;
        };
        vor::DataFolders folders;
        folders.tmp = base() / "TMP";
        fs::create_directories(folders.tmp);
        return vor::WritePieceListing(folders, in);
    }

private:
    std::unique_ptr<vor::SharedGlobals> m_saved;
};

std::string PdfText(const fs::path& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QString::fromStdString(pdf.string()), QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput().toStdString();
}

TEST_F(PieceListingViewTest, OstrelShowsAndPrintsTheBudget)
{
    const fs::path report = WriteBudget();
    Open(Command(report));
    ASSERT_TRUE(form->Loaded());
    form->resize(900, 760);
    vortest::ProcessEvents();
    EXPECT_TRUE(form->grab().save(QStringLiteral(VOR_TEST_OUTPUT_DIR "/piece_budget_ostrel.png")));

    vor::IniFile ini{fs::path(std::string(ostrel::kSettingsFileName))};
    ostrel::WriteSettings(ini, ostrel::OstrelSettings{});
    vortest::TempDir out;
    const fs::path pdf = out.path() / "budget.pdf";
    form->Printer().UsePdfOutput(QString::fromStdString(pdf.string()));
    messages().ClearShown();
    messages().Script({platform::Answer::Yes});
    form->PrintButtonClick();
    vortest::ProcessEvents();
    ASSERT_TRUE(fs::exists(pdf));
    fs::copy_file(pdf, fs::path(VOR_TEST_OUTPUT_DIR) / "piece_budget.pdf",
                  fs::copy_options::overwrite_existing);

    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Orçamento do projeto 42"), std::string::npos) << text;
    // "_" in a cell prints as a blank.
    EXPECT_NE(text.find("Porta de correr"), std::string::npos) << text;
    EXPECT_NE(text.find("Preço total: R$ 2.274,57"), std::string::npos) << text;
    EXPECT_EQ(text.find("@"), std::string::npos) << text;
}

}  // namespace
