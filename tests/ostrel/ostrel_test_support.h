#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ostrel/command_line.h"
#include "ostrel/ostrel_window.h"
#include "ostrel/report_grid.h"
#include "platform/fake_clipboard.h"
#include "tests/support/test_support.h"
#include "tests/support/ui_fixture.h"

namespace ostreltest {

namespace fs = std::filesystem;

inline const fs::path kSampleReport = fs::path(VOR_FIXTURES_DIR) / "ostrel" / "sample_report.txt";

// The lines of a file as bytes, cut at CR LF.
inline std::vector<std::string> SplitCrlf(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline std::string JoinCrlf(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines)
        out += l + "\r\n";
    return out;
}

// A window test: ostrel started in a fresh installation, the clipboard a fake.
class OstrelTest : public vortest::UiTest {
protected:
    // The sample report copied into the base folder.
    fs::path CopySample(const fs::path& name = "relat.txt")
    {
        const fs::path target = base() / name;
        fs::create_directories(target.parent_path());
        fs::copy_file(kSampleReport, target, fs::copy_options::overwrite_existing);
        return target;
    }

    static ostrel::CommandLine Command(const fs::path& report, ostrel::Mode mode = ostrel::Mode::Normal,
                                       bool stayOpen = true)
    {
        ostrel::CommandLine cmd;
        cmd.report = report;
        cmd.mode = mode;
        cmd.stayOpen = stayOpen;
        return cmd;
    }

    // Starts the window as main does and waits until the report is in (or the window gave up).
    void Open(const ostrel::CommandLine& cmd)
    {
        form = std::make_unique<ostrel::TOstrel>(cmd, clipboard);
        form->show();
        ASSERT_TRUE(vortest::WaitUntil([this] { return form->Loaded() || !form->isVisible(); }));
        vortest::ProcessEvents();
    }

    void PressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(form->Grid, &press);
        vortest::ProcessEvents();
    }

    QPoint RowPoint(int row) const
    {
        const int top = form->Grid->RowTop(row);
        EXPECT_GE(top, 0) << "row " << row << " is not shown";
        return QPoint(20, top + form->Store().Height(row) / 2);
    }

    void MoveTo(int row)
    {
        if (form->Grid->RowTop(row) < 0 || form->Grid->RowTop(row + 1) < 0) {
            form->Grid->SetTopRow(row);
            vortest::ProcessEvents();
        }
        const QPoint p = RowPoint(row);
        QMouseEvent move(QEvent::MouseMove, p, form->Grid->viewport()->mapToGlobal(p), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form->Grid->viewport(), &move);
        vortest::ProcessEvents();
    }

    void Click(int row, Qt::MouseButton button)
    {
        MoveTo(row);
        const QPoint p = RowPoint(row);
        QMouseEvent press(QEvent::MouseButtonPress, p, form->Grid->viewport()->mapToGlobal(p), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(form->Grid->viewport(), &press);
        QMouseEvent release(QEvent::MouseButtonRelease, p, form->Grid->viewport()->mapToGlobal(p), button,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(form->Grid->viewport(), &release);
        vortest::ProcessEvents();
    }

    // The first row whose text is `text`, or -1.
    int RowOf(const std::string& text) const
    {
        for (int r = 0; r < form->Store().RowCount(); ++r)
            if (form->Store().Text(r) == text)
                return r;
        return -1;
    }

    platform::FakeClipboard clipboard;
    platform::ScopedClipboard installedClipboard{clipboard};
    std::unique_ptr<ostrel::TOstrel> form;
};

}  // namespace ostreltest
