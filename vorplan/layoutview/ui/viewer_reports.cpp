// The viewer's reports handed to ostrel and its cut route.
#include <QPainter>
#include <exception>

#include "platform/clock.h"
#include "platform/message_service.h"
#include "vorplan/common/globals.h"
#include "vorplan/common/ui/painter_canvas.h"
#include "vorplan/layoutview/cut_routing.h"
#include "vorplan/layoutview/general_report.h"
#include "vorplan/layoutview/layout_statistics.h"
#include "vorplan/layoutview/report_handover.h"
#include "vorplan/layoutview/ui/report_content_window.h"
#include "vorplan/layoutview/ui/viewer_window.h"
#include "vorplan/shell/wait_cursor.h"

namespace vor {

void Tvisualiz::RereadAfterReport(long long layout)
{
    // The pass leaves its last, empty reading in the table.
    m_state.currentLayout = layout;
    try {
        if (auto message = ReadLayoutFile(m_state, Inputs(), false))
            platform::ShowMessage(*message);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    RefreshPanels();
}

void Tvisualiz::Button3Click(FileOps& reportOps)
{
    WaitCursor wait;
    const long long current = m_state.currentLayout;
    GeneralReport report;
    try {
        GeneralReportInput input = LoadGeneralReportInput(
            gShared.folders, gShared.settings.internalTables, gShared.settings.showDecimals);
        input.content = CurrentReportContent();
        input.material = gShared.currentMaterialRecord;
        input.currency = gShared.settings.money;
        report = BuildGeneralReport(input, m_state, Inputs());
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
        RereadAfterReport(current);
        return;
    }
    if (report.message)
        platform::ShowMessage(*report.message);
    if (report.noLayouts) {
        platform::ShowMessage(kNoLayoutsText);
        RereadAfterReport(current);
        return;
    }
    m_generalReport = std::move(report.lines);
    bool handedOver = false;
    try {
        HandReportToViewer(gShared.folders, m_generalReport, gShared.reportFile, reportOps);
        handedOver = true;
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
    }
    RereadAfterReport(current);
    if (handedOver)
        reportStarted = true;
    else
        RedrawView();
}

void Tvisualiz::Button1Click(FileOps& reportOps)
{
    if (m_state.elements.empty())
        return;
    ComputeLayoutStatistics(m_state, Inputs(), true);
    try {
        HandReportToViewer(gShared.folders, m_state.report, gShared.reportFile, reportOps);
    } catch (const std::exception& error) {
        platform::ShowMessage(error.what());
        return;
    }
    reportStarted = true;
}

void Tvisualiz::Button18Click()
{
    TForm9* form = CreateForm9();
    // As the viewer's own dialog it does not close the viewer.
    form->setParent(this, Qt::Dialog);
    form->exec();
    form->setParent(nullptr, Qt::Dialog);
}

void Tvisualiz::Button12Click(FileOps& ops)
{
    if (m_editing.Separated() || m_state.elements.empty())
        return;
    WaitCursor wait;
    const CutLineBuild built = BuildCutLines(m_cutLines, m_state, m_view.overviewMode);
    if (built == CutLineBuild::Skipped)
        return;
    if (built == CutLineBuild::TooMany) {
        // Unmerged and unclassified lines would make a wrong route.
        platform::ShowMessage(Msg(336));
        return;
    }
    const std::string astray = SortCutLines(m_cutLines);
    if (!astray.empty())
        platform::ShowMessage(astray);
    m_route = BuildCutRoute(m_cutLines);
    RedrawView();
    if (!m_image.isNull()) {
        QPainter painter(&m_image);
        PainterCanvas canvas(painter);
        DrawContext context = Context(canvas);
        DrawCutRouting(context, m_state, m_route);
    }
    PaintBox1->update();
    const Path path = CutRoutingFile(gShared.folders, m_state.currentLayout, gShared.currentMaterial);
    try {
        WriteCutRoutingFile(path, m_route, platform::GetClock(), ops);
    } catch (const std::exception&) {
        platform::ShowMessage(Msg(802) + path.string());
    }
}

}  // namespace vor
