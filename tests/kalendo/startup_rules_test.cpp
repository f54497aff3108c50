#include <gtest/gtest.h>

#include "kalendo/message_set.h"
#include "kalendo/startup_rules.h"

namespace kalendo {
namespace {

TEST(CheckStartupPassword, Matrix)
{
    struct Case {
        const char* typed;
        const char* password;
        bool accepted;
    };
    const Case cases[] = {
        {"Segredo", "Segredo", true},
        {"segredo", "Segredo", false},  // letter case counts
        {"SEGREDO", "Segredo", false},
        {"tq84mw", "Segredo", true},  // the master password
        {"TQ84MW", "Segredo", false},
        {"tq84mw ", "Segredo", false},
        {"", "Segredo", false},
        {"Segredo ", "Segredo", false},
        {"Segred", "Segredo", false},
        {"não", "não", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + c.password);
        EXPECT_EQ(CheckStartupPassword(c.typed, c.password), c.accepted);
    }
}

TEST(IsSmallScreen, BelowEightHundredPixels)
{
    EXPECT_TRUE(IsSmallScreen(799));
    EXPECT_FALSE(IsSmallScreen(800));
    EXPECT_FALSE(IsSmallScreen(1920));
    EXPECT_TRUE(IsSmallScreen(0));
}

TEST(IsHighlightedVersion, FirstCharacterIsTwo)
{
    EXPECT_TRUE(IsHighlightedVersion("2.18"));
    EXPECT_TRUE(IsHighlightedVersion("2"));
    EXPECT_FALSE(IsHighlightedVersion("3.02"));
    EXPECT_FALSE(IsHighlightedVersion(" 2.1"));
    EXPECT_FALSE(IsHighlightedVersion(""));
}

TEST(FillMessageSet, Languages)
{
    const MessageSet pt = FillMessageSet('1');
    EXPECT_EQ(pt.programTitle, "Sistema de otimização de corte de chapas");
    EXPECT_EQ(pt.notFound, "não localizado");
    EXPECT_EQ(pt.file, "Arquivo");
    EXPECT_EQ(pt.invalidPassword, "Senha inválida");
    EXPECT_EQ(pt.screenWarning1, "Atenção: para a execução do Vorlane, é");
    EXPECT_EQ(pt.screenWarning2, "necessário resolução de vídeo 800x600 ou maior.");
    EXPECT_FALSE(pt.smallTitle);

    const MessageSet en = FillMessageSet('2');
    EXPECT_EQ(en.programTitle, "Cut optimization system");
    EXPECT_EQ(en.notFound, "not found");
    EXPECT_EQ(en.file, "File");
    EXPECT_EQ(en.invalidPassword, "invalid password");
    EXPECT_EQ(en.screenWarning1, "Attention: for correct execution, use");
    EXPECT_EQ(en.screenWarning2, "resolution of video 800x600 or larger.");
    EXPECT_FALSE(en.smallTitle);

    // Dutch: its own program title in the smaller font, every other text English.
    const MessageSet nl = FillMessageSet('4');
    EXPECT_EQ(nl.programTitle, "Systeem voor de optimisatie van het snijden van rechthoekige onderdelen");
    EXPECT_TRUE(nl.smallTitle);
    EXPECT_EQ(nl.notFound, en.notFound);
    EXPECT_EQ(nl.file, en.file);
    EXPECT_EQ(nl.invalidPassword, en.invalidPassword);
    EXPECT_EQ(nl.screenWarning1, en.screenWarning1);
    EXPECT_EQ(nl.screenWarning2, en.screenWarning2);

    for (const char digit : {'3', '5'}) {
        const MessageSet es = FillMessageSet(digit);
        EXPECT_EQ(es.programTitle, "Sistema de optimización de corte");
        EXPECT_EQ(es.notFound, "no encuentre");
        EXPECT_EQ(es.file, "Archivo");
        EXPECT_EQ(es.invalidPassword, "contraseña inválida");
        EXPECT_EQ(es.screenWarning1, "Atención: para la ejecución, uso");
        EXPECT_EQ(es.screenWarning2, "resolución de video 800x600 o más grande.");
    }
}

TEST(LayoutSplashPage, OnAScreenOf1024By768)
{
    const SplashGeometry g = LayoutSplashPage({1024, 768}, true);
    EXPECT_EQ(g.window, (Box{329, 135, 366, 420}));
    EXPECT_EQ(g.frame, (Box{1, 1, 349, 323}));
    EXPECT_EQ(g.picture, (Box{4, 4, 340, 295}));
    EXPECT_EQ(g.titleStrip, (Box{5, 300, 341, 20}));  // just under the picture
    EXPECT_EQ(g.versionPanel, (Box{160, 326, 65, 26}));
    EXPECT_EQ(g.okButton, (Box{267, 326, 81, 58}));  // right edge 2 pixels inside the frame's
    EXPECT_EQ(g.linkLabel.left, 3);
    EXPECT_EQ(g.linkLabel.top, 362);
    EXPECT_EQ(g.passwordPanel, (Box{49, 94, 260, 150}));
}

TEST(LayoutSplashPage, PositionsTruncateTowardZero)
{
    // 365 / 2 - 183 = -0.5 and 600 / 2 * 0.9 - 210 = 60.
    const SplashGeometry narrow = LayoutSplashPage({365, 600}, false);
    EXPECT_EQ(narrow.window.left, 0);
    EXPECT_EQ(narrow.window.top, 60);
    EXPECT_EQ(narrow.versionPanel.width, SplashDesign{}.versionPanel.width);

    const SplashGeometry tiny = LayoutSplashPage({320, 200}, false);
    EXPECT_EQ(tiny.window.left, -23);
    EXPECT_EQ(tiny.window.top, -120);
}

TEST(PlacePasswordPanel, CentredAndRaised)
{
    EXPECT_EQ(PlacePasswordPanel({366, 420}, {261, 151}), (Box{48, 94, 261, 151}));
    EXPECT_EQ(PlacePasswordPanel({800, 600}, {260, 150}), (Box{266, 157, 260, 150}));
}

TEST(LayoutSeparateRunPage, CentredPlusTen)
{
    const SeparateRunGeometry g = LayoutSeparateRunPage(712, {0, 40, 520, 190}, {75, 30});
    EXPECT_EQ(g.panel, (Box{106, 40, 520, 190}));
    EXPECT_EQ(g.okButton, (Box{328, 260, 75, 30}));
}

}  // namespace
}  // namespace kalendo
