// From a calculation to the viewer: the driver calculates an order of the
// example materials, then the main window's F12 shows the layouts.
#include <gtest/gtest.h>

#include <QLabel>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/ui_fixture.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/main_window_geometry.h"
#include "vorplan/common/text_file.h"
#include "vorplan/layoutview/layout_model.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/optimiser/calc_driver.h"
#include "vorplan/optimiser/layout_files.h"
#include "vorplan/shell/main_window.h"

namespace {

namespace fs = std::filesystem;

const fs::path kDist = VOR_DIST_DIR;
constexpr long long kExampleMaterial = 99000;

// The user's "Ok" at the end of the run, given at once.
class NoWaitEvents final : public vor::CalcEvents {
public:
    void WaitForOk(const vor::RunFlags&) override {}
};

class ViewerEndToEndTest : public vortest::UiTest {
protected:
    void SetUp() override
    {
        m_saved = std::make_unique<vor::SharedGlobals>(vor::gShared);
        vor::gMainRequests = {};
        // The example materials and the language files as an installation ships them.
        for (const char* file : {"MAT/M99000.INI", "MAT/M99001.INI", "CHP/CHP99000.TAB",
                                 "CHP/CHP99001.TAB", "CHP/RET99000.TAB", "CHP/RET99001.TAB"})
            fs::copy_file(kDist / file, base() / file, fs::copy_options::overwrite_existing);
        for (const auto& entry : fs::directory_iterator(fs::path(VOR_BINARY_DIR) / "vorlane" / "LANG"))
            fs::copy_file(entry.path(), base() / "LANG" / entry.path().filename(),
                          fs::copy_options::overwrite_existing);
        for (const char* program : {"ostrel", "kalendo"})
            vortest::WriteBytes(base() / program, "#!/bin/sh\n");
    }
    void TearDown() override
    {
        if (vor::visualiz)
            delete vor::visualiz;
        vor::gShared = *m_saved;
        vor::gMainRequests = {};
    }

    std::unique_ptr<vor::SharedGlobals> m_saved;
};

TEST_F(ViewerEndToEndTest, ACalculatedOrderOpensOnItsFirstLayoutWhateverMaterialWasCurrent)
{
    // A few lines of the example order's first material.
    vor::WriteTextLines(vor::OrderTableFile(vor::gShared.folders, 5, true),
                        {"1       1      4    720    560  99000 Lateral 5 ABCD",
                         "1       2      2    764    560  99000 Base 5 ABCD",
                         "1       3      4    764    100  99000 Travessa_superior 5 ABCD",
                         "1       4      2   2100    560  99000 Lateral_da_torre 5 ABCD"});
    vor::gShared.currentMaterial = 99001;
    vor::gShared.currentMaterialRecord = vor::LoadMaterial(vor::gShared.folders, 99001);

    vor::CalcSettings settings;
    settings.calcType = 0;  // Rápido
    vor::CalcRequest request = vor::MakeCalcRequest(settings, {5}, {});
    NoWaitEvents events;
    vor::RunFlags flags;
    const vor::CalcRunResult result = vor::RunCalculation(request, events, flags);
    ASSERT_TRUE(result.started) << result.refusal;
    EXPECT_EQ(result.piecesSelected, 12);
    EXPECT_EQ(result.piecesPlaced, 12);
    EXPECT_EQ(vor::gShared.currentMaterial, 99001);

    std::unique_ptr<vor::TForm1> main(vor::CreateForm1());
    main->Targets().layoutViewer = vor::ShowLayoutViewer;
    vor::CreateVisualiz()->resize(1100, 760);
    main->FormKeyDown(Qt::Key_F12, Qt::NoModifier);
    vortest::ProcessEvents();

    ASSERT_NE(vor::visualiz, nullptr);
    vor::Tvisualiz& viewer = *vor::visualiz;
    ASSERT_TRUE(viewer.isVisible());
    EXPECT_EQ(messages().Count(), 0u) << (messages().Count() ? messages().Texts().front() : "");
    EXPECT_EQ(vor::gShared.currentMaterial, kExampleMaterial);
    EXPECT_EQ(viewer.State().currentLayout, 1);
    EXPECT_GE(viewer.State().layoutCount, 1);
    EXPECT_GT(viewer.State().figures.pieceCount, 0);
    EXPECT_FALSE(viewer.Panel10->text().isEmpty());
    EXPECT_TRUE(viewer.windowTitle().contains(QStringLiteral("(99000)")));
    for (long long n = 1; n <= viewer.State().layoutCount; ++n) {
        const auto lines = vor::ReadTextLines(vor::LayoutFile(vor::gShared.folders, n, kExampleMaterial));
        ASSERT_TRUE(lines) << n;
        EXPECT_EQ(lines->front(), vor::kModifiedLayoutTitle) << n;
    }
    viewer.close();
}

}  // namespace
