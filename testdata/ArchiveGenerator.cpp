#include "ArchiveGenerator.h"

#include "storage/VoucherRecord.h"
#include "storage/Windows1252.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace scontrix::testdata {

namespace {

using storage::VoucherRecord;
using Field = VoucherRecord::Field;
constexpr int Size = VoucherRecord::Size;

// splitmix64: small, fast and the same everywhere, unlike the standard
// library's distributions.
class Random {
public:
    explicit Random(std::uint64_t state) : state_(state) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) {
        return static_cast<int>(((next() >> 32) * static_cast<std::uint64_t>(n)) >> 32);
    }
    bool chance(double p) { return static_cast<double>(next() >> 11) * 0x1.0p-53 < p; }
    template <typename Pool> const auto& pick(const Pool& pool) {
        return pool[static_cast<std::size_t>(below(static_cast<int>(pool.size())))];
    }

private:
    std::uint64_t state_;
};

Random recordRandom(const ArchiveSpec& spec, qint64 index) {
    Random mix(spec.seed ^ (static_cast<std::uint64_t>(index) * 0xD1B54A32D192ED03ull));
    return Random(mix.next());
}

// Texts are kept in Windows-1252 from the start, so that making a record is
// copying bytes.
using Pool = std::vector<QByteArray>;

Pool encodePool(std::initializer_list<const char*> utf8) {
    Pool pool;
    for (const char* text : utf8)
        pool.push_back(storage::cp1252::encode(QString::fromUtf8(text)));
    return pool;
}

struct Pools {
    Pool surnames = encodePool({
        "Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano", "Colombo", "Ricci",
        "Marino", "Greco", "Bruno", "Gallo", "Conti", "De Luca", "Mancini", "Costa", "Giordano",
        "Rizzo", "Lombardi", "Moretti", "Barbieri", "Fontana", "Santoro", "Mariani", "Rinaldi",
        "Caruso", "Ferrara", "Galli", "Martini", "Leone", "Longo", "Gentile", "Martinelli",
        "Vitale", "Lombardo", "Serra", "Coppola", "De Santis", "D'Angelo", "Marchetti", "Parisi",
        "Villa", "Conte", "Ferraro", "Fabbri", "Bianco", "Marini", "Grasso", "Valentini",
        "Messina", "Sala", "De Angelis", "Gatti", "Pellegrini", "Palumbo", "Sanna", "Farina",
        "Monti", "Cattaneo", "Morelli", "Amato", "Silvestri", "Mazza", "Testa", "Carbone",
        "Giuliani", "Benedetti", "Barone", "Caputo", "Montanari", "Guerra", "Palmieri",
        "Bernardi", "Fiore", "De Rosa", "Ferretti", "Bellini", "Basile", "Riva", "Donati",
        "Piras", "Battaglia", "Sartori", "Neri", "Milani", "Pagano", "Sorrentino", "D'Amico",
        "Orlando", "Negri", "Nicolò", "Forlì", "Mirò", "Pucciarelli Dell'Acqua"});
    Pool names = encodePool({
        "Giuseppe", "Maria", "Giovanni", "Anna", "Antonio", "Francesca", "Mario", "Giulia",
        "Luigi", "Chiara", "Francesco", "Sara", "Angelo", "Paola", "Vincenzo", "Laura", "Pietro",
        "Elena", "Salvatore", "Rosa", "Carlo", "Lucia", "Franco", "Giovanna", "Domenico", "Teresa",
        "Paolo", "Angela", "Michele", "Federica", "Giorgio", "Alessandra", "Sergio", "Valentina",
        "Luca", "Martina", "Andrea", "Elisa", "Marco", "Niccolò", "Mattia", "Noemi", "Ilaria",
        "Beatrice", "Tommaso", "Lorenzo", "Simona", "Raffaella", "Fabrizio", "Cristina", "Gianluca",
        "Maria Grazia", "Pier Paolo", "Zoë", "Mirène"});
    Pool streetKinds = encodePool({"Via", "Via", "Via", "Viale", "Piazza", "Corso", "Vicolo",
                                   "Largo", "Strada Provinciale"});
    Pool streets = encodePool({
        "Roma", "Garibaldi", "Mazzini", "Cavour", "Giuseppe Verdi", "Dante Alighieri",
        "XX Settembre", "Vittorio Emanuele II", "Giacomo Matteotti", "Antonio Gramsci",
        "della Repubblica", "dei Mille", "San Francesco d'Assisi", "Santa Lucia",
        "Guglielmo Marconi", "Alessandro Manzoni", "Giacomo Leopardi", "Giosuè Carducci",
        "Nazionale", "del Popolo", "della Libertà", "Trieste", "Trento", "IV Novembre",
        "Cesare Battisti", "Galileo Galilei", "Cristoforo Colombo", "Guglielmo Oberdan",
        "dei Caduti sul Lavoro", "Nicolò Tommaseo", "Papa Giovanni XXIII", "San Martino"});
    Pool towns = encodePool({
        "Roma (RM)", "Milano (MI)", "Napoli (NA)", "Torino (TO)", "Palermo (PA)", "Genova (GE)",
        "Bologna (BO)", "Firenze (FI)", "Bari (BA)", "Catania (CT)", "Venezia (VE)",
        "Verona (VR)", "Messina (ME)", "Padova (PD)", "Trieste (TS)", "Brescia (BS)",
        "Parma (PR)", "Modena (MO)", "Reggio Calabria (RC)", "Reggio nell'Emilia (RE)",
        "Perugia (PG)", "Ravenna (RA)", "Livorno (LI)", "Cagliari (CA)", "Rimini (RN)",
        "Salerno (SA)", "Ferrara (FE)", "Sassari (SS)", "Pescara (PE)", "Bergamo (BG)",
        "Forlì (FC)", "Vicenza (VI)", "Bolzano (BZ)", "Ancona (AN)", "Lecce (LE)", "Cantù (CO)",
        "Nardò (LE)", "Paternò (CT)", "Santa Maria Capua Vetere (CE)", "Sant'Agnello (NA)"});
    Pool mobilePrefixes = encodePool({"320", "324", "327", "328", "329", "330", "333", "334",
                                      "335", "338", "339", "340", "342", "345", "346", "347",
                                      "348", "349", "350", "351", "366", "368", "370", "371",
                                      "377", "380", "388", "389", "391", "392", "393"});
    Pool values = encodePool({"5,00", "10,00", "15,00", "20,00", "25,00", "30,00", "35,50",
                              "40,00", "50,00", "75,00", "100,00", "150,00", "200,00", "250,00",
                              "500,00", "12,90", "49,99"});
    Pool places = encodePool({
        "Presso il nostro negozio di Via Roma, 12", "Bar Centrale", "Profumeria Stella",
        "Abbigliamento Bianchi & Figli", "Libreria Il Gabbiano", "Pasticceria Dolce Vita",
        "Tutti i punti vendita della catena", "Ottica Ferrari - Corso Garibaldi, 45",
        "Gioielleria Caruso", "Calzature Rinaldi", "Ristorante Da Nicolò", "Caffè Bellini"});
    Pool conditions = encodePool({
        "Non cumulabile con altre promozioni.", "Spesa minima 20 euro. Non convertibile in denaro.",
        "Valido per un solo acquisto; non dà diritto a resto.",
        "Non rimborsabile. In caso di smarrimento non può essere sostituito.",
        "Da utilizzare entro la data di scadenza indicata. Non cumulabile con i saldi.",
        "Valido su tutta la merce esposta, esclusi gli articoli in promozione. Il buono deve "
        "essere consegnato alla cassa al momento dell'acquisto e non può essere frazionato."});
    Pool notes = encodePool({
        "Regalo di compleanno", "Reso merce, scontrino n. 1284", "Cambio taglia",
        "Omaggio fedeltà", "Buono per la Festa della Mamma", "Cliente abituale: avvisare in "
        "anticipo dell'arrivo della nuova collezione", "Pagato con bancomat", "Già telefonato"});
};

const Pools& pools() {
    static const Pools instance;
    return instance;
}

// A text being composed, at most one field's largest capacity.
class Text {
public:
    void add(const QByteArray& bytes) { add(bytes.constData(), bytes.size()); }
    void add(const char* bytes, qsizetype n) {
        const auto room = std::min<qsizetype>(n, static_cast<qsizetype>(sizeof buffer_) - size_);
        std::memcpy(buffer_ + size_, bytes, static_cast<std::size_t>(room));
        size_ += static_cast<int>(room);
    }
    void add(char c) { add(&c, 1); }
    void addNumber(int n, int digits = 0) {
        char reversed[12];
        int count = 0;
        do {
            reversed[count++] = static_cast<char>('0' + n % 10);
            n /= 10;
        } while (n > 0 || count < digits);
        while (count > 0)
            add(reversed[--count]);
    }
    const char* data() const { return buffer_; }
    char* data() { return buffer_; }
    int size() const { return size_; }
    void clear() { size_ = 0; }

private:
    char buffer_[256];
    int size_ = 0;
};

void put(char* record, Field field, const char* bytes, int length) {
    const auto slot = VoucherRecord::slot(field);
    const int n = std::min(length, slot.capacity);
    record[slot.offset] = static_cast<char>(n);
    std::memcpy(record + slot.offset + 1, bytes, static_cast<std::size_t>(n));
}
void put(char* record, Field field, const Text& text) {
    put(record, field, text.data(), text.size());
}
void put(char* record, Field field, const QByteArray& bytes) {
    put(record, field, bytes.constData(), static_cast<int>(bytes.size()));
}

void addPerson(Text& text, Random& random) {
    const Pools& p = pools();
    const QByteArray& surname = random.pick(p.surnames);
    const QByteArray& name = random.pick(p.names);
    const int style = random.below(10);
    if (style < 8) {
        text.add(surname);
        text.add(' ');
        text.add(name);
    } else {
        text.add(name);
        text.add(' ');
        text.add(surname);
    }
    if (style == 9) { // typed with the caps lock on
        for (int i = 0; i < text.size(); ++i) {
            char& c = text.data()[i];
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

// Days since 1 March of year 0, and back: the civil calendar without tables.
int daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}
void addDate(Text& text, int days) {
    const int era = days / 146097;
    const int doe = days - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    const int d = doy - (153 * mp + 2) / 5 + 1;
    const int m = mp < 10 ? mp + 3 : mp - 9;
    const int y = yoe + era * 400 + (m <= 2);
    text.addNumber(d, 2);
    text.add('/');
    text.addNumber(m, 2);
    text.add('/');
    text.addNumber(y, 4);
}

Oddity pickOddity(const ArchiveSpec& spec, Random& random) {
    if (spec.oddEvery <= 0 || random.next() % static_cast<std::uint64_t>(spec.oddEvery) != 0)
        return Oddity::None;
    return static_cast<Oddity>(1 + random.below(OddityKinds));
}

Field textFieldOf(Random& random) {
    return static_cast<Field>(random.below(VoucherRecord::FieldCount - 1));
}

void makeOdd(Oddity oddity, char* record, Random& random) {
    switch (oddity) {
    case Oddity::None:
        return;
    case Oddity::LengthBeyondCapacity: {
        const auto slot = VoucherRecord::slot(textFieldOf(random));
        // The whole capacity holds text, and the length claims more.
        for (int i = 0; i < slot.capacity; ++i)
            record[slot.offset + 1 + i] = static_cast<char>('a' + (i % 26));
        record[slot.offset] = static_cast<char>(slot.capacity + 1 + random.below(255 - slot.capacity));
        return;
    }
    case Oddity::ControlCodes: {
        const Field field = textFieldOf(random);
        const auto slot = VoucherRecord::slot(field);
        const char* at = record + slot.offset;
        Text text;
        text.add(static_cast<char>(random.below(33))); // 0 to 32: trimmed away
        text.add('\t');
        const int length = static_cast<uchar>(at[0]);
        const int middle = length / 2;
        text.add(at + 1, middle);
        if (length == 0)
            text.add("Nota", 4);
        text.add(static_cast<char>(1 + random.below(31))); // stays: it is inside
        if (length == 0)
            text.add("aggiunta", 8);
        text.add(at + 1 + middle, length - middle);
        text.add("\r\n", 2);
        put(record, field, text);
        return;
    }
    case Oddity::StrangeFlag: {
        static constexpr std::array<std::array<char, 3>, 8> flags{{
            {2, 's', 'i'},
            {2, 'S', 'I'},
            {1, 'S', 0},
            {0, 0, 0},
            {2, 'N', 0},
            {2, 'x', '\x01'},
            {9, 'S', '\xEC'}, // length beyond capacity: still reads as "Sì"
            {2, ' ', 'S'},
        }};
        const auto slot = VoucherRecord::slot(Field::Pagato);
        std::memcpy(record + slot.offset, random.pick(flags).data(), 3);
        return;
    }
    case Oddity::UndefinedBytes: {
        static constexpr char undefined[] = {'\x81', '\x8D', '\x8F', '\x90', '\x9D'};
        const auto slot = VoucherRecord::slot(textFieldOf(random));
        const int length = static_cast<uchar>(record[slot.offset]);
        if (length > 0)
            record[slot.offset + 1 + random.below(length)] = undefined[random.below(5)];
        // Leftovers of a longer text past the length: never to be read.
        for (int i = length; i < slot.capacity; ++i)
            record[slot.offset + 1 + i] = static_cast<char>(0x21 + random.below(0x5E));
        return;
    }
    }
}

} // namespace

qint64 ArchiveSummary::bytes() const {
    return records * Size + tailBytes;
}

Oddity makeRecord(const ArchiveSpec& spec, qint64 index, char* out) {
    const Pools& p = pools();
    Random random = recordRandom(spec, index);
    std::memset(out, 0, Size);
    Text text;

    addPerson(text, random);
    put(out, Field::Acquirente, text);

    text.clear();
    text.add(random.pick(p.streetKinds));
    text.add(' ');
    text.add(random.pick(p.streets));
    text.add(", ", 2);
    text.addNumber(1 + random.below(199));
    if (random.below(12) == 0) {
        text.add('/');
        text.add(static_cast<char>('A' + random.below(4)));
    }
    put(out, Field::Via, text);

    put(out, Field::Citta, random.pick(p.towns));

    text.clear();
    if (random.below(7) == 0)
        text.add("+39 ", 4);
    text.add(random.pick(p.mobilePrefixes));
    text.addNumber(random.below(10000000), 7);
    put(out, Field::Cel, text);

    text.clear();
    text.addNumber(static_cast<int>(index % 1000000000) + 1);
    put(out, Field::Num, text);

    // Vouchers of the last ten years, valid for one to twelve months.
    static const int firstDay = daysFromCivil(2016, 1, 1);
    const int start = firstDay + random.below(3650);
    static constexpr int validity[] = {30, 60, 90, 180, 365};
    text.clear();
    addDate(text, start);
    put(out, Field::Prezzo, text);
    text.clear();
    addDate(text, start + validity[random.below(5)]);
    put(out, Field::Spettatore, text);

    if (random.below(10) < 6) {
        put(out, Field::Posto, out + VoucherRecord::slot(Field::Acquirente).offset + 1,
            static_cast<uchar>(out[VoucherRecord::slot(Field::Acquirente).offset]));
    } else {
        text.clear();
        addPerson(text, random);
        put(out, Field::Posto, text);
    }

    put(out, Field::Evento, random.pick(p.values));
    put(out, Field::Luogo, random.pick(p.places));
    put(out, Field::Scritta, random.pick(p.conditions));
    if (random.below(10) < 3)
        put(out, Field::Note, random.pick(p.notes));

    const auto flag = VoucherRecord::slot(Field::Pagato);
    static constexpr char yes[] = {2, 'S', '\xEC'};
    static constexpr char no[] = {2, 'N', 'o'};
    std::memcpy(out + flag.offset, random.chance(spec.cashedShare) ? yes : no, 3);

    const Oddity oddity = pickOddity(spec, random);
    makeOdd(oddity, out, random);
    return oddity;
}

QByteArray recordBytes(const ArchiveSpec& spec, qint64 index) {
    QByteArray bytes(Size, Qt::Uninitialized);
    makeRecord(spec, index, bytes.data());
    return bytes;
}

qint64 tailLength(const ArchiveSpec& spec) {
    if (!spec.incompleteTail)
        return 0;
    Random random = recordRandom(spec, -1);
    return 1 + random.below(Size - 1);
}

namespace {

// Makes the archive block by block and hands each block to `sink`.
template <typename Sink> bool generate(const ArchiveSpec& spec, ArchiveSummary* summary, Sink&& sink) {
    constexpr qint64 BlockRecords = 4096;
    std::vector<char> block(static_cast<std::size_t>(BlockRecords * Size));
    ArchiveSummary counted;
    for (qint64 first = 0; first < spec.vouchers; first += BlockRecords) {
        const qint64 records = std::min(BlockRecords, spec.vouchers - first);
        for (qint64 i = 0; i < records; ++i) {
            char* record = block.data() + i * Size;
            if (makeRecord(spec, first + i, record) != Oddity::None)
                ++counted.odd;
            if (VoucherRecord::field(record, Field::Pagato) == VoucherRecord::flagYes())
                ++counted.cashed;
        }
        if (!sink(block.data(), records * Size))
            return false;
        counted.records += records;
    }
    if (const qint64 tail = tailLength(spec); tail > 0) {
        makeRecord(spec, spec.vouchers, block.data());
        if (!sink(block.data(), tail))
            return false;
        counted.tailBytes = tail;
    }
    if (summary)
        *summary = counted;
    return true;
}

} // namespace

QByteArray makeArchive(const ArchiveSpec& spec, ArchiveSummary* summary) {
    QByteArray bytes;
    bytes.reserve(spec.vouchers * Size + tailLength(spec));
    generate(spec, summary, [&](const char* data, qint64 n) {
        bytes.append(data, n);
        return true;
    });
    return bytes;
}

bool writeArchive(const QString& path, const ArchiveSpec& spec, ArchiveSummary* summary,
                  QString* error) {
    QFile file(path);
    // Unbuffered: the blocks are large already, and a short write shows at once.
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered) &&
              generate(spec, summary, [&](const char* data, qint64 n) {
                  return file.write(data, n) == n;
              });
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (!ok && error)
        *error = file.errorString();
    return ok;
}

} // namespace scontrix::testdata
