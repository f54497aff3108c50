#include "platform/fake_message_service.h"
#include "platform/qt_message_service.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <stdexcept>
#include <thread>

#include "tests/support/ui_fixture.h"

namespace {

using platform::Answer;
using platform::Buttons;
using platform::MessageKind;

TEST(ScriptedMessages, RecordsEveryBoxAndAnswersFromTheScriptThenTheDefault)
{
    platform::ScriptedMessages messages;
    messages.Script({Answer::No, Answer::Cancel});

    EXPECT_EQ(messages.Show("Apagar?", "Vorlane", MessageKind::Question, Buttons::YesNo),
              Answer::No);
    EXPECT_EQ(messages.Show("Sair?", {}, MessageKind::Question, Buttons::YesNoCancel),
              Answer::Cancel);
    EXPECT_EQ(messages.PendingAnswers(), 0u);
    // An empty script answers with the box's first button...
    EXPECT_EQ(messages.Show("De novo?", {}, MessageKind::Warning, Buttons::RetryCancel),
              Answer::Retry);
    // ...or with the default a test set.
    messages.SetDefaultAnswer(Answer::Ignore);
    EXPECT_EQ(messages.Show("Falhou", {}, MessageKind::Error, Buttons::AbortRetryIgnore),
              Answer::Ignore);

    ASSERT_EQ(messages.Count(), 4u);
    const platform::ShownMessage& first = messages.Shown().front();
    EXPECT_EQ(first.text, "Apagar?");
    EXPECT_EQ(first.title, "Vorlane");
    EXPECT_EQ(first.kind, MessageKind::Question);
    EXPECT_EQ(first.buttons, Buttons::YesNo);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Apagar?", "Sair?", "De novo?", "Falhou"}));
    EXPECT_EQ(messages.Last().kind, MessageKind::Error);

    messages.ClearShown();
    EXPECT_THROW(messages.Last(), std::logic_error);
}

TEST(ScriptedMessages, ScopedInstallRestoresThePreviousService)
{
    platform::MessageService& before = platform::Messages();
    platform::ScriptedMessages outer;
    {
        platform::ScopedMessages installOuter(outer);
        platform::ScriptedMessages inner;
        {
            platform::ScopedMessages installInner(inner);
            platform::ShowMessage("dentro");
        }
        platform::ShowMessage("fora");
        EXPECT_EQ(inner.Texts(), std::vector<std::string>{"dentro"});
    }
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"fora"});
    EXPECT_EQ(&platform::Messages(), &before);
}

// What a real box looked like, and how the "user" left it.
struct Seen {
    bool found = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
};

// Shows a box through the Qt service and lets `act` press something once it
// is up. A box that never shows up, or stays, fails the test instead of
// hanging it.
Answer ShowReal(std::string_view text, std::string_view title, MessageKind kind, Buttons buttons,
                const std::function<void(QMessageBox&)>& act, Seen& seen)
{
    QTimer poll;
    poll.setInterval(10);
    int ticks = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !seen.found) {
            seen.found = true;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.icon = box->icon();
            seen.format = box->textFormat();
            seen.buttons = box->standardButtons();
            seen.parent = box->parentWidget();
            act(*box);
        } else if (box && ++ticks > 500) {
            box->done(0);
        }
    });
    poll.start();
    platform::QtMessageService service;
    return service.Show(text, title, kind, buttons);
}

std::function<void(QMessageBox&)> Press(QMessageBox::StandardButton button)
{
    return [button](QMessageBox& box) { box.button(button)->click(); };
}

void PressEscape(QMessageBox& box)
{
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&box, &escape);
}

void CloseByTitleBar(QMessageBox& box)
{
    box.close();
}

class QtMessages : public vortest::UiTest {};

TEST_F(QtMessages, EveryButtonGivesItsAnswer)
{
    struct Case {
        Buttons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton pressed;
        Answer expected;
    };
    const Case cases[] = {
        {Buttons::Ok, QMessageBox::Ok, QMessageBox::Ok, Answer::Ok},
        {Buttons::OkCancel, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel,
         Answer::Cancel},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, Answer::Yes},
        {Buttons::YesNo, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, Answer::No},
        {Buttons::YesNoCancel, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
         QMessageBox::No, Answer::No},
        {Buttons::AbortRetryIgnore, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
         QMessageBox::Ignore, Answer::Ignore},
        {Buttons::AbortRetryIgnore, QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
         QMessageBox::Abort, Answer::Abort},
        {Buttons::RetryCancel, QMessageBox::Retry | QMessageBox::Cancel, QMessageBox::Retry,
         Answer::Retry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.pressed));
        Seen seen;
        EXPECT_EQ(ShowReal("?", {}, MessageKind::Question, c.buttons, Press(c.pressed), seen),
                  c.expected);
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(seen.buttons, c.shown);
    }
}

TEST_F(QtMessages, EscapeOrCloseGivesCancelOrNo)
{
    struct Case {
        Buttons buttons;
        Answer expected;
    };
    const Case cases[] = {
        {Buttons::Ok, Answer::Cancel},
        {Buttons::OkCancel, Answer::Cancel},
        {Buttons::YesNo, Answer::No},
        {Buttons::YesNoCancel, Answer::Cancel},
        {Buttons::AbortRetryIgnore, Answer::Cancel},
        {Buttons::RetryCancel, Answer::Cancel},
    };
    for (const Case& c : cases) {
        for (const auto& leave : {std::function<void(QMessageBox&)>(PressEscape),
                                  std::function<void(QMessageBox&)>(CloseByTitleBar)}) {
            SCOPED_TRACE(static_cast<int>(c.buttons));
            Seen seen;
            EXPECT_EQ(ShowReal("?", {}, MessageKind::Question, c.buttons, leave, seen), c.expected);
            EXPECT_TRUE(seen.found);
        }
    }
}

TEST_F(QtMessages, IconByKind)
{
    struct Case {
        MessageKind kind;
        QMessageBox::Icon icon;
    };
    const Case cases[] = {
        {MessageKind::Plain, QMessageBox::NoIcon},
        {MessageKind::Information, QMessageBox::Information},
        {MessageKind::Warning, QMessageBox::Warning},
        {MessageKind::Error, QMessageBox::Critical},
        {MessageKind::Question, QMessageBox::Question},
    };
    for (const Case& c : cases) {
        Seen seen;
        ShowReal("x", {}, c.kind, Buttons::Ok, Press(QMessageBox::Ok), seen);
        EXPECT_EQ(seen.icon, c.icon) << static_cast<int>(c.kind);
    }
}

TEST_F(QtMessages, TitleDefaultsToTheProgramNameAndTextStaysPlain)
{
    Seen untitled;
    ShowReal("Arquivo <b>PED00001.TAB</b> não encontrado", {}, MessageKind::Error, Buttons::Ok,
             Press(QMessageBox::Ok), untitled);
    EXPECT_EQ(untitled.title, QApplication::applicationName());
    EXPECT_EQ(untitled.text, QStringLiteral("Arquivo <b>PED00001.TAB</b> não encontrado"));
    EXPECT_EQ(untitled.format, Qt::PlainText);

    Seen titled;
    ShowReal("x", "Atenção", MessageKind::Warning, Buttons::Ok, Press(QMessageBox::Ok), titled);
    EXPECT_EQ(titled.title, QStringLiteral("Atenção"));
}

TEST_F(QtMessages, TheBoxBelongsToTheActiveWindow)
{
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(vortest::WaitUntil([&] { return window.isActiveWindow(); }));

    Seen seen;
    ShowReal("x", {}, MessageKind::Plain, Buttons::Ok, Press(QMessageBox::Ok), seen);
    EXPECT_EQ(seen.parent, &window);
}

TEST_F(QtMessages, AWorkerThreadNeverWaitsAndTheBoxComesUpOnTheWindowThread)
{
    platform::QtMessageService service;
    Answer answer = Answer::Yes;
    std::thread worker([&] {
        answer = service.Show("Não pude apagar x", {}, MessageKind::Error, Buttons::YesNo);
    });
    worker.join();  // returned without any event processed here
    EXPECT_EQ(answer, Answer::No);

    QString shownText;
    bool onWindowThread = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shownText = box->text();
            onWindowThread = box->thread() == QApplication::instance()->thread();
            box->button(QMessageBox::Yes)->click();
        }
    });
    poll.start(10);
    EXPECT_TRUE(vortest::WaitUntil([&] { return !shownText.isEmpty(); }));
    EXPECT_EQ(shownText, QStringLiteral("Não pude apagar x"));
    EXPECT_TRUE(onWindowThread);
}

}  // namespace
