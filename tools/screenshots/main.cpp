// Walks every window of Scontrix as a shopkeeper would, on a sample program
// folder with a few vouchers, and saves a picture of each window, frame
// included, into the output folder:
//
//     scontrix_screenshots OUTPUT_FOLDER
//
// It needs a real X display (the pictures are read back from the screen):
// scripts/screenshots.sh starts it under xvfb-run with a window manager.
// Links are handed to a recording shell, so no browser opens; the print
// dialog lists two sample printers and is cancelled.

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/Startup.h"
#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "editor/TfrmBiglietti.h"
#include "platform/Recording.h"
#include "platform/Seam.h"
#include "report/PrintSystem.h"
#include "report/TPrinterList.h"
#include "storage/VoucherRecord.h"
#include "ui/Picture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <functional>
#include <vector>

using namespace scontrix;

namespace {

// Two printers to choose from, so the print dialog looks as it does in a shop.
class SamplePrinters final : public report::PrintSystem {
public:
    QList<report::PrinterDescription> printers() override {
        return {{QStringLiteral("Stampante_ufficio"), QStringLiteral("Retro negozio")},
                {QStringLiteral("PDF"), QStringLiteral("File PDF")}};
    }
    QString defaultPrinter() override { return QStringLiteral("Stampante_ufficio"); }
    bool isUsable(const QString&) override { return true; }
    std::unique_ptr<report::PrintTarget> printerTarget(const QString&) override { return nullptr; }
    QList<report::PrinterOption> printerOptions(const QString&) override { return {}; }
};

struct Sample {
    const char* customer;
    const char* street;
    const char* town;
    const char* mobile;
    int startDaysAgo; // the dates follow the day of the walk, so that the
    int validDays;    // vouchers look current in the pictures
    const char* beneficiary;
    const char* value;
    const char* conditions;
    const char* notes;
    bool cashed;
};

const Sample Samples[] = {
    {"Rossi Maria", "Via Garibaldi 12", "Torino", "3471234567", 20, 90, "Rossi Maria", "50,00",
     "Valido per una spesa minima di 100 euro", "Reso giacca taglia 44", false},
    {"Bianchi Luca", "Corso Francia 88", "Torino", "3389876543", 18, 90, "Bianchi Giulia", "25,00",
     "Non cumulabile con altre promozioni", "Regalo di compleanno", true},
    {"Esposito Giulia", "Via Roma 4", "Moncalieri", "3281112233", 15, 90, "Esposito Giulia",
     "30,00", "Valido per una spesa minima di 60 euro", "", false},
    {"Ferrari Marco", "Piazza Castello 1", "Torino", "3405556677", 12, 180, "Ferrari Anna",
     "100,00", "Utilizzabile in un'unica soluzione", "Buono regalo nozze", false},
    {"Rossini Carla", "Via Po 27", "Torino", "3337778899", 9, 60, "Rossini Carla", "20,00",
     "Non convertibile in denaro", "Reso scarpe", true},
    {"Romano Paolo", "Via Nizza 150", "Nichelino", "3492223344", 6, 90, "Romano Paolo", "15,00",
     "Valido sui prodotti non in saldo", "", false},
    {"Colombo Sara", "Corso Vittorio 3", "Torino", "3204445566", 3, 90, "Colombo Sara", "40,00",
     "Valido per una spesa minima di 80 euro", "Cliente fedele", false},
};

const QString Shop = QStringLiteral("Boutique Aurora - Via Garibaldi 20, Torino");

// A sample shop logo: an orange sun over the shop's initial, drawn here.
QImage sampleLogo() {
    QImage image(240, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient sun(QPointF(120, 100), 90);
    sun.setColorAt(0, QColor(0xFF, 0xD5, 0x4F));
    sun.setColorAt(1, QColor(0xF5, 0x7C, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(120, 100), 78, 78);
    QFont font(QStringLiteral("DejaVu Serif"), 80, QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 20, 240, 160), Qt::AlignCenter, QStringLiteral("A"));
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 20, QFont::Bold));
    p.setPen(QColor(0x8D, 0x3B, 0x00));
    p.drawText(QRectF(0, 182, 240, 50), Qt::AlignCenter, QStringLiteral("AURORA"));
    return image;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// The sample shop: two archives with vouchers and logos, and the store.
void fillProgramFolder(const QString& folder) {
    QFile store(QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/unins000.dll"));
    if (store.open(QIODevice::ReadOnly))
        writeFile(folder + QStringLiteral("unins000.dll"), store.readAll());
    QDir().mkpath(folder + QStringLiteral("Logo_Ditta"));
    const QImage logo = sampleLogo();
    QByteArray archive;
    int n = 0;
    for (const Sample& s : Samples) {
        ++n;
        storage::VoucherRecord r;
        r.acquirente = QString::fromUtf8(s.customer);
        r.via = QString::fromUtf8(s.street);
        r.citta = QString::fromUtf8(s.town);
        r.cel = QString::fromUtf8(s.mobile);
        r.num = QString::number(n);
        const QDate start = QDate::currentDate().addDays(-s.startDaysAgo);
        r.prezzo = start.toString(QStringLiteral("dd/MM/yyyy"));
        r.spettatore = start.addDays(s.validDays).toString(QStringLiteral("dd/MM/yyyy"));
        r.posto = QString::fromUtf8(s.beneficiary);
        r.evento = QString::fromUtf8(s.value);
        r.luogo = Shop;
        r.scritta = QString::fromUtf8(s.conditions);
        r.note = QString::fromUtf8(s.notes);
        r.pagato = s.cashed;
        archive += r.toBytes();
        logo.save(folder + QStringLiteral("Logo_Ditta/Negozio centro_Foto_%1.jpg").arg(n), "JPEG",
                  90);
    }
    writeFile(folder + QStringLiteral("Negozio centro.eur"), archive);
    writeFile(folder + QStringLiteral("Promozioni Natale.eur"), {});
    writeFile(folder + QStringLiteral("Resi.eur"), {});
}

// The modal window on screen. A long reading shows a progress window over its
// window for a moment; the window beneath is the one meant.
QWidget* modalWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->objectName() == QLatin1String("dlgProgresso") && modal->parentWidget())
        modal = modal->parentWidget()->window();
    return modal;
}

// Runs the steps one after another on timers. The next step is scheduled
// before a step runs, so a step that opens a modal window (and so does not
// return until it closes) is followed by the steps that work inside it.
class Walk {
public:
    explicit Walk(QString output) : output_(std::move(output)) {}

    void then(std::function<void()> step, int pause = 700) {
        steps_.push_back({std::move(step), pause});
    }
    void start() {
        QTimer::singleShot(1500, [this] { runNext(); });
    }
    int failures() const { return failures_; }

    // Saves the window `w` as the screen shows it, with its frame.
    void shoot(QWidget* w, const QString& name) {
        if (!w || !w->isVisible()) {
            std::fprintf(stderr, "%s: no window to take\n", qPrintable(name));
            ++failures_;
            return;
        }
        QApplication::processEvents();
        const QRect frame = w->frameGeometry();
        QPixmap picture =
            w->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (picture.isNull() ||
            !picture.save(output_ + u'/' + name + QStringLiteral(".png"), "PNG", 0)) {
            std::fprintf(stderr, "%s: cannot save\n", qPrintable(name));
            ++failures_;
            return;
        }
        // Numbers through Qt, which writes them the same under every locale.
        std::puts(qPrintable(QStringLiteral("%1.png %2x%3 (%4)")
                                 .arg(name)
                                 .arg(frame.width())
                                 .arg(frame.height())
                                 .arg(w->objectName())));
    }
    void shootModal(const QString& name) { shoot(modalWindow(), name); }
    void fail(const char* what) {
        std::fprintf(stderr, "%s\n", what);
        ++failures_;
    }

private:
    struct Step {
        std::function<void()> run;
        int pause;
    };
    void runNext() {
        if (next_ >= steps_.size()) {
            QApplication::quit();
            return;
        }
        const Step& step = steps_[next_++];
        QTimer::singleShot(step.pause, [this] { runNext(); });
        step.run();
    }

    QString output_;
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    int failures_ = 0;
};

void click(QWidget* w) {
    if (!w)
        return;
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A control of the modal window on screen, by its name.
template <typename T = QWidget> T* inModal(const char* name) {
    QWidget* modal = modalWindow();
    return modal ? modal->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void typeInto(QLineEdit* field, const QString& text) {
    if (!field)
        return;
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(field, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void closeModal() {
    if (QWidget* modal = modalWindow())
        modal->close();
}

} // namespace

int main(int argc, char** argv) {
    app::prepareBeforeApplication();
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    app::prepareProcess();
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);

    QTemporaryDir dir;
    const QString folder = dir.path() + u'/';
    fillProgramFolder(folder);
    platform::FixedProgramFolder programFolder(folder);
    platform::ScopedSeam<platform::ProgramFolder> folderSeam(programFolder);
    platform::RecordingShell shell;
    platform::ScopedSeam<platform::Shell> shellSeam(shell);
    SamplePrinters printers;
    platform::ScopedSeam<report::PrintSystem> printSeam(printers);
    report::TPrinterList::reload();

    app::WindowSet windows;
    Walk walk(output);
    access::TfrmPassword* login = windows.frmPassword();
    app::TfrmAvvio* start = windows.frmAvvio();
    editor::TfrmBiglietti* ed = windows.frmBiglietti();

    // Access.
    walk.then([&] { typeInto(login->txtPassword, QStringLiteral("lucernaviolina")); });
    walk.then([&] { walk.shoot(login, QStringLiteral("accesso")); });
    walk.then([&] { click(login->btnCambiaPassword); });
    walk.then([&] {
        access::TfrmCambiaPassword* change = windows.frmCambiaPassword();
        typeInto(change->txtPasswordOld, QStringLiteral("lucernaviolina"));
        typeInto(change->txtPasswordNew, QStringLiteral("violinolucente"));
        change->txtConferma->setFocus();
    });
    walk.then([&] { walk.shoot(windows.frmCambiaPassword(), QStringLiteral("cambia-password")); });
    walk.then([&] { click(windows.frmCambiaPassword()->cmdEsci); });
    walk.then([&] { typeInto(login->txtPassword, QStringLiteral("lucernaviolina")); });
    walk.then([&] { click(login->cmdOK); }, 1200);

    // The start screen and the two catalogue windows.
    walk.then([&] { walk.shoot(start, QStringLiteral("schermata-iniziale")); });
    walk.then([&] { click(start->btnApp01); }, 1200);
    walk.then(
        [&] { typeInto(windows.frmCreaArchivio()->txtFile, QStringLiteral("Buoni regalo 2025")); });
    walk.then([&] { walk.shoot(windows.frmCreaArchivio(), QStringLiteral("creazione-archivio")); });
    walk.then([&] { click(windows.frmCreaArchivio()->btnAnnulla); }, 1200);
    walk.then([&] { click(start->btnApp02); }, 1200);
    walk.then([&] {
        QListWidget* list = windows.frmApriArchivio()->lstFiles;
        const auto found = list->findItems(QStringLiteral("Negozio centro"), Qt::MatchStartsWith);
        if (found.isEmpty())
            return walk.fail("the sample archive is not listed");
        list->setCurrentItem(found.first());
        list->setFocus();
    });
    walk.then([&] { walk.shoot(windows.frmApriArchivio(), QStringLiteral("apertura-archivio")); });
    walk.then([&] { click(windows.frmApriArchivio()->btnApri); }, 1500);

    // The editor on a stored voucher, then its dialogs.
    walk.then([&] { click(ed->cmdPrimo); });
    walk.then([&] { ed->txtAcquirente->setFocus(); });
    walk.then([&] { walk.shoot(ed, QStringLiteral("scheda-buono")); });
    walk.then([&] { QTest::keyClick(ed->txtSpettatore, Qt::Key_Space); },
              1000); // opens the date picker
    walk.then([&] { walk.shootModal(QStringLiteral("calendario")); });
    walk.then([&] { click(inModal("btnAnnulla")); });

    walk.then([&] { click(ed->cmdTrova); }, 1000);
    walk.then([&] {
        typeInto(inModal<QLineEdit>("txtAcquirente"), QStringLiteral("ross"));
        typeInto(inModal<QLineEdit>("txtCitta"), QStringLiteral("torino"));
    });
    walk.then([&] { walk.shootModal(QStringLiteral("ricerca-filtri")); });
    walk.then([&] { click(inModal("btnCerca")); }, 1000);
    // A list window with its first entry chosen, as after a click on it.
    const auto shootList = [&](const QString& name) {
        if (auto* list = inModal<QListView>("lstRecords"); list && list->model()->rowCount() > 0) {
            list->setFocus();
            list->setCurrentIndex(list->model()->index(0, 0));
        }
        walk.shootModal(name);
    };
    walk.then([&] { shootList(QStringLiteral("ricerca-risultati")); });
    walk.then([&] { click(inModal("btnChiudi")); });

    walk.then([&] { click(ed->cmdNonPagati); }, 1000);
    walk.then([&] { shootList(QStringLiteral("non-incassati")); });
    walk.then([&] { click(inModal("btnChiudi")); });

    walk.then([&] { click(ed->cmdExcel); }, 1000);
    walk.then([&] {
        // The export window is shown only once it has its grid.
        if (inModal("grdRecords"))
            walk.shootModal(QStringLiteral("esportazione"));
        else
            std::printf("esportazione: the export window has no grid yet, not taken\n");
    });
    walk.then([] { closeModal(); });

    walk.then([&] { click(ed->cmdAnteprima); }, 1000);
    walk.then([&] { walk.shootModal(QStringLiteral("anteprima")); });
    walk.then([&] { click(inModal("btnStampa")); }, 2000); // the engine's preview opens
    walk.then([&] { walk.shootModal(QStringLiteral("anteprima-buono")); });
    walk.then([] { closeModal(); }, 1200);

    walk.then([&] { click(ed->cmdStampa); }, 1000);
    walk.then([&] { walk.shootModal(QStringLiteral("stampa")); });
    walk.then([&] { click(inModal("btnStampa")); }, 1500); // the print dialog opens
    walk.then([&] { walk.shootModal(QStringLiteral("dialogo-stampa")); });
    walk.then([] { closeModal(); }, 1200);

    walk.then([&] { click(ed->cmdGuida); }, 1000);
    walk.then([&] { walk.shootModal(QStringLiteral("guida")); });
    walk.then([&] { click(inModal("btnChiudi")); });

    // Back on the start screen: information and credits.
    walk.then([&] { click(ed->cmdEsci); }, 1200);
    walk.then([&] { click(start->imgInfo); }, 1000);
    walk.then([&] { walk.shootModal(QStringLiteral("informazioni")); });
    walk.then([&] { click(inModal("btnChiudi")); });
    walk.then([&] { click(start->imgCopyright); }, 1000);
    walk.then([&] { walk.shootModal(QStringLiteral("riconoscimenti")); });
    walk.then([&] { click(inModal("btnChiudi")); });
    walk.then([&] { windows.endApplication(); });

    windows.start();
    walk.start();
    QApplication::exec();
    return walk.failures() == 0 ? 0 : 1;
}
