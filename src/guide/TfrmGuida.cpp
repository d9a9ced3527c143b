#include "guide/TfrmGuida.h"

#include "guide/Misc.h"
#include "platform/ProgramFolder.h"
#include "ui/Accessibility.h"
#include "ui/LinkText.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>

namespace scontrix::guide {

namespace {

const QSize ContainerSize{642, 540};

} // namespace

TfrmGuida::TfrmGuida(QWidget* owner, const GuideTopic& topic)
    : ui::DialogWindow(owner, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572),
                       ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmGuida"));

    background_ = new ui::GradientBackground(Qt::white, QColor(0xBF, 0xD8, 0xEF), this);
    background_->setObjectName(QStringLiteral("bkgWindow"));
    container_ = ui::makeContainer(background_, ContainerSize);
    QWidget* pan = container_;

    shpSfondo = new ui::ShapeRect(pan);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(8, 8, 625, 89);
    shpSfondo->setFill(Qt::white);
    shpSfondo->setBorder(QColor(0xF5, 0xDE, 0xB3)); // wheat

    imgLogo = new ui::Picture(pan);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(24, 16, 587, 69);
    imgLogo->setArtwork(QStringLiteral(":/artwork/guide_logo.svg"));

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), pan);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    ui::setDesignFont(lblTitolo, QStringLiteral("Arial"), 16, true, ui::colours::crimson);
    lblTitolo->move(8, 104);

    txtGuida = new QPlainTextEdit(pan);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setGeometry(8, 128, 625, 350);
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    ui::setDesignFont(txtGuida, QStringLiteral("Verdana"), 12, true);

    imgPDF = new ui::Picture(pan);
    imgPDF->setObjectName(QStringLiteral("imgPDF"));
    imgPDF->setGeometry(8, 496, 27, 27);
    imgPDF->setArtwork(QStringLiteral(":/artwork/pdf_icon.svg"));
    imgPDF->setClickable(true);

    lnkWeb = new ui::LinkText(QStringLiteral("Visualizza guida in formato PDF"), pan);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->move(44, 500);
    lnkWeb->addPartner(imgPDF);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), pan);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(472, 490, 161, 38);
    btnChiudi->setCursor(Qt::PointingHandCursor);
    ui::setDesignFont(btnChiudi, QStringLiteral("Verdana"), 12);

    lblTitolo->setText(topic.title);
    txtGuida->setPlainText(topic.text);
    lblTitolo->adjustSize();

    ui::nameControls({
        {txtGuida, "Testo della guida"},
        {imgPDF, "Guida in formato PDF", "Visualizza guida in formato PDF."},
        {lnkWeb, "Guida in formato PDF", "Visualizza guida in formato PDF."},
    });

    connect(lnkWeb, &ui::LinkText::clicked, this, &TfrmGuida::lnkWebClick);
    connect(imgPDF, &ui::Picture::clicked, this, &TfrmGuida::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmGuida::btnChiudiClick);

    resizeEvent(nullptr);
}

void TfrmGuida::showEvent(QShowEvent* event) {
    // The window system's own showing (after a minimise) keeps the place the
    // reader had reached; only the program's showing starts at the top.
    if (!event->spontaneous())
        FormShow();
    ui::DialogWindow::showEvent(event);
}

void TfrmGuida::FormShow() {
    // The outer size is fixed whatever the frame the desktop draws around it;
    // the client keeps at least the room its content needs.
    const QSize frame = frameGeometry().size() - size();
    setFixedSize((OuterSize - frame).expandedTo(ContainerSize));
    txtGuida->moveCursor(QTextCursor::Start);
    txtGuida->verticalScrollBar()->setValue(0);
    btnChiudi->setFocus();
}

void TfrmGuida::resizeEvent(QResizeEvent* event) {
    if (event)
        ui::DialogWindow::resizeEvent(event);
    // On a small screen the content scrolls at its own size instead.
    if (background_->parentWidget() != this)
        return;
    background_->setGeometry(rect());
    container_->move((width() - container_->width()) / 2, (height() - container_->height()) / 2);
}

void TfrmGuida::lnkWebClick() {
    lnkWeb->MouseUp();
    // In quotes: the program folder may hold blanks.
    TMisc::Open(u'"' + platform::ProgramFolder::file(QStringLiteral("Guida.pdf")) + u'"');
}

void TfrmGuida::btnChiudiClick() {
    close();
}

} // namespace scontrix::guide
