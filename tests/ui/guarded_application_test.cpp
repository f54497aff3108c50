#include "platform/guarded_application.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QTimer>
#include <stdexcept>

#include "tests/support/ui_fixture.h"
#include "vorplan/common/errors.h"

namespace {

const QEvent::Type kThrow = static_cast<QEvent::Type>(QEvent::User + 1);

// An object whose handler fails the way core code fails.
class Failing : public QObject {
public:
    std::function<void()> fail;
    int handled = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != kThrow)
            return QObject::event(e);
        fail();
        ++handled;
        return true;
    }
};

class Guard : public vortest::UiTest {};

TEST_F(Guard, TheApplicationIsGuarded)
{
    EXPECT_NE(qobject_cast<platform::GuardedApplication*>(QCoreApplication::instance()), nullptr);
}

TEST_F(Guard, AFailingHandlerShowsTheErrorAndReturnsFalse)
{
    struct Case {
        const char* name;
        std::function<void()> fail;
        std::string expected;
    };
    const Case cases[] = {
        {"range", [] { throw vor::RangeError("Erro de intervalo: índice 0 fora de 1..10"); },
         "Erro de intervalo: índice 0 fora de 1..10"},
        {"io", [] { throw vor::IoError("/base/MONT/N_L_P.TXT", 28, "gravar"); },
         vor::IoError("/base/MONT/N_L_P.TXT", 28, "gravar").what()},
        {"std", [] { throw std::runtime_error("falhou"); }, "falhou"},
        {"other", [] { throw 42; }, "Erro desconhecido."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        messages().ClearShown();
        Failing object;
        object.fail = c.fail;
        QEvent event(kThrow);
        EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
        EXPECT_EQ(object.handled, 0) << "the action is abandoned";
        ASSERT_EQ(messages().Count(), 1u);
        EXPECT_EQ(messages().Last().kind, platform::MessageKind::Error);
        EXPECT_EQ(messages().Last().buttons, platform::Buttons::Ok);
        EXPECT_EQ(messages().Last().text, c.expected);
    }
}

TEST_F(Guard, TheEventLoopGoesOnAfterAFailure)
{
    int later = 0;
    QTimer::singleShot(0, [] { throw vor::OverflowError("Estouro"); });
    QTimer::singleShot(0, [&] { ++later; });
    vortest::ProcessEvents();
    EXPECT_EQ(messages().Texts(), std::vector<std::string>{"Estouro"});
    EXPECT_EQ(later, 1);

    QTimer::singleShot(0, [&] { ++later; });
    vortest::ProcessEvents();
    EXPECT_EQ(later, 2);
}

// Shows a box that lets one more failing event run while it is up, as a
// real box's own event loop would.
class ReenteringMessages final : public platform::MessageService {
public:
    Failing* object = nullptr;
    std::vector<std::string> texts;

    platform::Answer Show(std::string_view text, std::string_view, platform::MessageKind,
                          platform::Buttons) override
    {
        texts.emplace_back(text);
        if (texts.size() == 1) {
            QEvent again(kThrow);
            QCoreApplication::sendEvent(object, &again);
        }
        return platform::Answer::Ok;
    }
};

TEST_F(Guard, AFailureWhileTheErrorBoxIsUpOpensNoSecondBox)
{
    Failing object;
    object.fail = [] { throw std::runtime_error("repintar falhou"); };
    ReenteringMessages boxes;
    boxes.object = &object;
    platform::ScopedMessages install(boxes);

    QEvent event(kThrow);
    QCoreApplication::sendEvent(&object, &event);
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"repintar falhou"});

    // The guard is ready again for the next failure.
    QCoreApplication::sendEvent(&object, &event);
    EXPECT_EQ(boxes.texts.size(), 2u);
}

}  // namespace
