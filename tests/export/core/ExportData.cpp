#include "ExportData.h"

namespace scontrix::test {

QByteArray expectedHead() {
    QByteArray head(
        R"(<html xmlns:o="urn:schemas-microsoft-com:office:office" xmlns:x="urn:schemas-microsoft-com:office:excel" xmlns="http://www.w3.org/TR/REC-html40">)"
        R"(<head><meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)"
        R"(<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>)"
        R"(<x:Name>Riepilogo Buoni Acquisto</x:Name><x:WorksheetOptions><x:Selected/><x:Panes>)"
        R"(<x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow></x:Pane></x:Panes>)"
        R"(<x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>)"
        R"(<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet>)"
        R"(</x:ExcelWorksheets></x:ExcelWorkbook></xml><![endif]--></head><body><table x:str><tr>)");
    const char* const header[][2] = {
        {"200", "Buono n."},
        {"250", "Cliente"},
        {"300", "Via e numero civico"},
        {"250", "Citt\xE0"},
        {"200", "Cellulare"},
        {"200", "Inizio validit\xE0"},
        {"200", "Fine validit\xE0"},
        {"250", "Beneficiario"},
        {"200", "Valore"},
        {"350", "Luogo utilizzo"},
        {"400", "Condizioni utilizzo"},
        {"400", "Note"},
        {"150", "Incassato"},
    };
    for (const auto& [width, text] : header)
        head += QByteArray(R"(<td style="text-align: left; font-weight: bold;" width=)") + width +
                '>' + text + "</td>";
    return head + "</tr>";
}

QByteArray expectedRow(const QList<QByteArray>& cells) {
    QByteArray row("<tr>");
    for (const QByteArray& c : cells)
        row += R"(<td style="text-align: left;" sdnum="1040;0;@">)" + c + "</td>";
    return row + "</tr>";
}

QList<storage::VoucherRecord> threeVouchers() {
    storage::VoucherRecord a;
    a.num = QStringLiteral("1");
    a.acquirente = QStringLiteral("Mario Rossi");
    a.via = QStringLiteral("Via Garibaldi 12");
    a.citta = QStringLiteral("Forlì");
    a.cel = QStringLiteral("3331234567");
    a.prezzo = QStringLiteral("01/03/2024");
    a.spettatore = QStringLiteral("31/03/2024");
    a.posto = QStringLiteral("Anna Bianchi");
    a.evento = QStringLiteral("25,00");
    a.luogo = QStringLiteral("Bar Centrale");
    a.scritta = QStringLiteral("Spesa minima 50 €");
    a.note = QStringLiteral("Regalo di compleanno");
    a.pagato = true;

    storage::VoucherRecord b;
    b.num = QStringLiteral("2");
    b.acquirente = QStringLiteral("Luca Verdi");
    b.via = QStringLiteral("Corso Italia 3");
    b.citta = QStringLiteral("Cesena");
    b.cel = QStringLiteral("3479876543");
    b.prezzo = QStringLiteral("15/04/2024");
    b.spettatore = QStringLiteral("15/05/2024");
    b.posto = QStringLiteral("Luca Verdi");
    b.evento = QStringLiteral("10,50");
    b.luogo = QStringLiteral("Bar & Caffè <Centro>");
    b.scritta = QStringLiteral("Non cumulabile");
    b.note = QStringLiteral("<b>reso</b> merce");
    b.pagato = false;

    // Empty fields stay empty cells.
    storage::VoucherRecord c;
    c.num = QStringLiteral("3");
    c.acquirente = QStringLiteral("Giò Neri");
    c.prezzo = QStringLiteral("01/06/2024");
    c.spettatore = QStringLiteral("30/06/2024");
    c.evento = QStringLiteral("100,00");
    c.pagato = false;
    return {a, b, c};
}

QList<QList<QByteArray>> threeVoucherCells() {
    return {
        {"1", "Mario Rossi", "Via Garibaldi 12", "Forl\xEC", "3331234567", "01/03/2024",
         "31/03/2024", "Anna Bianchi", "25,00", "Bar Centrale", "Spesa minima 50 \x80",
         "Regalo di compleanno", "S\xEC"},
        {"2", "Luca Verdi", "Corso Italia 3", "Cesena", "3479876543", "15/04/2024", "15/05/2024",
         "Luca Verdi", "10,50", "Bar &amp; Caff\xE8 &lt;Centro&gt;", "Non cumulabile",
         "&lt;b&gt;reso&lt;/b&gt; merce", "No"},
        {"3", "Gi\xF2 Neri", "", "", "", "01/06/2024", "30/06/2024", "", "100,00", "", "", "",
         "No"},
    };
}

storage::VoucherRecord numbered(int n) {
    storage::VoucherRecord r;
    r.num = QString::number(n);
    r.acquirente = QStringLiteral("Cliente %1").arg(n);
    r.via = QStringLiteral("Via Roma %1").arg(n);
    r.citta = QStringLiteral("Città %1").arg(n);
    r.cel = QStringLiteral("333%1").arg(n, 7, 10, QLatin1Char('0'));
    r.prezzo = QStringLiteral("01/03/2024");
    r.spettatore = QStringLiteral("31/03/2024");
    r.posto = QStringLiteral("Beneficiario %1").arg(n);
    r.evento = QStringLiteral("%1,00").arg(n % 100 + 5);
    r.luogo = QStringLiteral("Bar Centrale");
    r.scritta = QStringLiteral("Spesa minima %1 euro").arg(n % 50);
    r.note = QStringLiteral("Nota %1").arg(n);
    r.pagato = n % 2 == 0;
    return r;
}

} // namespace scontrix::test
