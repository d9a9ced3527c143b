#include "AppFixture.h"
#include "access/TfrmPassword.h"
#include "app/Maker.h"
#include "app/TfrmAvvio.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "editor/TfrmBiglietti.h"
#include "ui/Picture.h"
#include "voucher/Formats.h"

#include <QDialog>
#include <QListWidget>
#include <QTimer>

using namespace scontrix;

namespace {

class WindowFlow : public test::AppFixture {
protected:
    app::TfrmAvvio* start() const { return windows->frmAvvio(); }

    void click(ui::Picture* picture) {
        QTest::mouseClick(picture, Qt::LeftButton, {}, picture->rect().center());
        QApplication::processEvents();
    }
};

// At start the login window is the only window there is: the others are
// built when the flow first reaches them, so the program shows itself fast.
TEST_F(WindowFlow, AtStartOnlyTheLoginWindowIsBuiltAndShown) {
    const QWidgetList built = QApplication::topLevelWidgets();
    ASSERT_EQ(built.size(), 1);
    EXPECT_EQ(built.front(), static_cast<QWidget*>(windows->frmPassword()));
    EXPECT_TRUE(built.front()->isVisible());
}

TEST_F(WindowFlow, FifteenWindowsWithTheirFramesAndCaptions) {
    struct Expected {
        const char* className;
        const char* objectName;
        const char* caption;
        QSize client;
        bool dialog;
    } expected[] = {
        {"TfrmPassword", "frmPassword", " Scontrix - Accesso", {388, 405}, false},
        {"TfrmAvvio", "frmAvvio", " Scontrix", {1016, 713}, false},
        {"TfrmAnteprimaBiglietto",
         "frmAnteprimaBiglietto",
         " Anteprima di stampa",
         {364, 287},
         true},
        {"TfrmApriArchivio", "frmApriArchivio", " Scontrix - Emissione Buoni", {1016, 713}, false},
        {"TfrmBiglietti", "frmBiglietti", " Scontrix - Emissione Buoni", {1016, 713}, false},
        {"TfrmCambiaPassword", "frmCambiaPassword", " Cambia password", {411, 418}, false},
        {"TfrmCreaArchivio",
         "frmCreaArchivio",
         " Scontrix - Creazione nuovo archivio",
         {1016, 713},
         false},
        {"TfrmExpBiglietti",
         "frmExpBiglietti",
         " Esporta archivio buoni acquisto in Excel",
         {862, 560},
         true},
        {"TfrmGuida", "frmGuida", " Guida all'utilizzo del software", {670, 572}, true},
        {"TfrmInfo", "frmInfo", " Informazioni su Scontrix", {473, 579}, true},
        {"TfrmRiepDaPagare",
         "frmRiepDaPagare",
         " Riepilogo buoni acquisto non incassati",
         {862, 560},
         true},
        {"TfrmSplash", "frmSplash", nullptr, {661, 467}, true},
        {"TfrmStampaBiglietto", "frmStampaBiglietto", " Stampa buono acquisto", {364, 287}, true},
        {"TfrmTrovaBiglietti",
         "frmTrovaBiglietti",
         " Trova buoni acquisto in archivio",
         {862, 560},
         true},
        {"TfrmCalendario", "frmCalendario", " Importazione data", {253, 294}, true},
    };
    QList<QWidget*> all = windows->persistent();
    const std::vector<std::unique_ptr<QWidget>> dialogs = makeDialogs(windows->frmBiglietti());
    for (const auto& d : dialogs)
        all << d.get();
    ASSERT_EQ(all.size(), std::size(expected));
    for (const Expected& e : expected) {
        QWidget* w = nullptr;
        for (QWidget* candidate : all) {
            if (candidate->objectName() == QLatin1String(e.objectName))
                w = candidate;
        }
        ASSERT_NE(w, nullptr) << e.objectName;
        const QString className = QString::fromLatin1(w->metaObject()->className());
        EXPECT_TRUE(className.endsWith(QStringLiteral("::") + QLatin1String(e.className)))
            << className.toStdString();
        EXPECT_EQ(w->objectName(), QLatin1String(e.objectName));
        if (e.caption) {
            EXPECT_EQ(w->windowTitle(), QString::fromUtf8(e.caption)) << e.objectName;
        }
        EXPECT_TRUE(w->windowTitle().startsWith(u' ')) << e.objectName;
        EXPECT_EQ(w->size(), e.client) << e.objectName;
        EXPECT_EQ(qobject_cast<QDialog*>(w) != nullptr, e.dialog) << e.objectName;
        if (e.dialog || e.client.width() < 1000) {
            // Fixed frame without title-bar buttons: left only through its own buttons.
            EXPECT_EQ(w->minimumSize(), w->maximumSize()) << e.objectName;
            EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint) << e.objectName;
            EXPECT_FALSE(w->windowFlags() & Qt::WindowSystemMenuHint) << e.objectName;
        }
        EXPECT_EQ(w->isVisible(), w == windows->frmPassword()) << e.objectName;
    }
}

// Each window is reached for the first time through the flow itself: nothing
// builds it beforehand, so a route that forgot to build or show its window fails.
TEST_F(WindowFlow, EveryHandOverLeavesExactlyOnePersistentWindow) {
    logIn();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{start()});
    EXPECT_TRUE(start()->isMaximized());
    EXPECT_FALSE(windows->frmPassword()->isVisible()) << "the login window hands over";

    struct Trip {
        const char* name;
        ui::Picture* app::TfrmAvvio::*picture;
        const char* target;
    } trips[] = {
        {"creation picture", &app::TfrmAvvio::imgApp01, "frmCreaArchivio"},
        {"creation button", &app::TfrmAvvio::btnApp01, "frmCreaArchivio"},
        {"selection picture", &app::TfrmAvvio::imgApp02, "frmApriArchivio"},
        {"selection button", &app::TfrmAvvio::btnApp02, "frmApriArchivio"},
    };
    EXPECT_EQ(builtWindow("frmCreaArchivio"), nullptr);
    EXPECT_EQ(builtWindow("frmApriArchivio"), nullptr);
    for (const Trip& t : trips) {
        click(start()->*t.picture);
        QWidget* target = builtWindow(t.target);
        ASSERT_NE(target, nullptr) << t.name;
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{target}) << t.name;
        target->close(); // the window system's close
        QApplication::processEvents();
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{start()})
            << t.name << ": back to the start screen";
    }

    // The editor through the selection window, on an archive the shop has.
    folder.write(QStringLiteral("Negozio.eur"), {});
    EXPECT_EQ(builtWindow("frmBiglietti"), nullptr);
    click(start()->btnApp02);
    auto* selection = qobject_cast<catalogue::TfrmApriArchivio*>(builtWindow("frmApriArchivio"));
    ASSERT_NE(selection, nullptr);
    const QList<QListWidgetItem*> entry =
        selection->lstFiles->findItems(QStringLiteral("Negozio.eur"), Qt::MatchExactly);
    ASSERT_EQ(entry.size(), 1) << "the archive is listed";
    QTest::mouseClick(selection->lstFiles->viewport(), Qt::LeftButton, {},
                      selection->lstFiles->visualItemRect(entry.first()).center());
    click(selection->btnApri);
    QWidget* editor = builtWindow("frmBiglietti");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{editor});
    editor->close();
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{start()}) << "editor closing returns";
    EXPECT_EQ(ends, 0);
}

TEST_F(WindowFlow, StartScreenExitsEndTheProgram) {
    logIn();
    click(start()->imgEsci);
    EXPECT_EQ(ends, 1);

    start()->close(); // not the main window, yet its closing ends the program
    EXPECT_EQ(ends, 2);
}

TEST_F(WindowFlow, HelpInformationAndCreditsOpenFreshModalDialogs) {
    logIn();
    for (ui::Picture* app::TfrmAvvio::*picture :
         {&app::TfrmAvvio::imgInfo, &app::TfrmAvvio::imgGuida, &app::TfrmAvvio::imgCopyright}) {
        QList<QDialog*> seen;
        for (int round = 0; round < 2; ++round) {
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                seen << dialog;
                EXPECT_EQ(dialog->parentWidget(), start());
                EXPECT_TRUE(dialog->isModal());
                dialog->setObjectName(dialog->objectName() + QStringLiteral("-seen"));
                dialog->reject();
            });
            click(start()->*picture);
        }
        ASSERT_EQ(seen.size(), 2);
        EXPECT_EQ(visiblePersistent(), QList<QWidget*>{start()});
    }
    // Every instance was destroyed after its run: nothing survives a closing.
    EXPECT_TRUE(start()->findChildren<QDialog*>().isEmpty());
}

TEST_F(WindowFlow, SiteBannerHandsTheAddressToTheDesktop) {
    logIn();
    click(start()->imgSito);
    EXPECT_EQ(desktop.shell.opened, QStringList{app::maker::WebSite});
}

TEST_F(WindowFlow, StartScreenPicturesAreClickableWithAHandCursor) {
    for (const char* name : {"imgInfo", "imgGuida", "imgApp01", "btnApp01", "imgApp02", "btnApp02",
                             "imgSito", "imgCopyright", "imgEsci"}) {
        auto* p = control<ui::Picture>(start(), name);
        ASSERT_TRUE(p);
        EXPECT_TRUE(p->isClickable()) << name;
        EXPECT_EQ(p->cursor().shape(), Qt::PointingHandCursor) << name;
    }
    EXPECT_FALSE(control<ui::Picture>(start(), "icoTitolo01")->isClickable());
}

TEST_F(WindowFlow, ContentStaysReachableOnASmallScreen) {
    logIn();
    start()->showNormal();
    start()->resize(800, 500);
    QApplication::processEvents();
    auto* content = control<QWidget>(start(), "panContainer");
    auto* backdrop = control<QWidget>(start(), "bkgWindow");
    EXPECT_EQ(content->size(), QSize(995, 692)) << "never squeezed";
    EXPECT_GE(backdrop->width(), content->width());
    EXPECT_GE(backdrop->height(), content->height()) << "the window scrolls instead of cutting";

    start()->resize(1400, 900);
    QApplication::processEvents();
    const QPoint offset = content->mapTo(start(), QPoint(0, 0));
    EXPECT_NEAR(offset.x(), (start()->width() - 995) / 2, 2) << "centred";
}

TEST(Formats, DayMonthYearWithTheLocaleSeparatorAndADecimalComma) {
    struct Case {
        const char* pattern;
        char16_t separator;
    } cases[] = {{"dd/MM/yyyy", u'/'},
                 {"d.M.yy", u'.'},
                 {"M/d/yy", u'/'},
                 {"yyyy-MM-dd", u'-'},
                 {"dMyy", u'/'}};
    for (const Case& c : cases)
        EXPECT_EQ(voucher::Formats::separatorOf(QString::fromLatin1(c.pattern)), QChar(c.separator))
            << c.pattern;
    const QString sep = voucher::Formats::dateSeparator();
    EXPECT_EQ(voucher::Formats::formatDate(QDate(2024, 3, 1)),
              QStringLiteral("01") + sep + QStringLiteral("03") + sep + QStringLiteral("2024"));
    EXPECT_EQ(voucher::Formats::decimalSeparator(), u',');
}

} // namespace
