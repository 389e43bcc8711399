#include "tools/productdocs/product_document.h"

#include "engine/product_lines.h"

#include <QBuffer>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>

#include <algorithm>
#include <array>
#include <vector>

namespace tarvello::productdocs {

namespace {

// Page geometry of A4 portrait, mm.
constexpr double kPageWidth = 210.0;
constexpr double kPageHeight = 297.0;
constexpr double kLeft = 15.0;
constexpr double kRight = kPageWidth - 15.0;
constexpr double kTop = 18.0;
constexpr double kBottom = kPageHeight - 20.0; // the text area ends above the footer
constexpr double kFooterLine = kPageHeight - 14.0;
constexpr int kResolution_dpi = 600;
constexpr double kMmPerInch = 25.4;

// Table geometry, mm.
constexpr double kGroupRowHeight = 4.6;
constexpr double kNameRowHeight = 7.4; // two lines of the heading font
constexpr double kUnitRowHeight = 4.0;
constexpr double kRowHeight = 4.3;
constexpr double kCellPadding = 1.0;

const QColor kInk(0x21, 0x21, 0x21);
const QColor kBrand(0x1e, 0x3a, 0x5f);
const QColor kMuted(0x5f, 0x6b, 0x77);
const QColor kHeaderFill(0xe3, 0xe9, 0xf0);
const QColor kBandFill(0xf3, 0xf5, 0xf8);
const QColor kRule(0xb0, 0xbe, 0xc5);

const QString kSans = QStringLiteral("Liberation Sans");
const QString kSerif = QStringLiteral("Liberation Serif");
const QString kDash = QStringLiteral("–");

QFont font(const QString& family, double points, bool bold = false, bool italic = false)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setKerning(true);
    return f;
}

enum class Group { None, Cooling, Heating, Sound };

struct Column {
    QString name;
    QString unit;
    double width; // mm
    Qt::Alignment align;
    Group group;
};

// Spreads what is left of the text width over the columns, so the table fills it.
std::vector<Column> fillTextWidth(std::vector<Column> cols)
{
    double used = 0;
    for (const Column& c : cols)
        used += c.width;
    const double extra = (kRight - kLeft - used) / double(cols.size());
    for (Column& c : cols)
        c.width += extra;
    return cols;
}

// The rows of one model: its speeds, which are never split over two pages.
struct ModelRows {
    std::vector<const RatingRow*> rows;
};

class DocumentPainter {
public:
    // `sectionPages`: the first page of each line's section, known from a first pass
    // (zeros on the first pass itself).
    DocumentPainter(QPdfWriter& writer, const DocumentContent& content, const std::array<int, 3>& sectionPages)
        : writer_(writer), content_(content), texts_(*content.texts), locale_(QString::fromLatin1(texts_.locale)),
          knownSectionPages_(sectionPages)
    {
        locale_.setNumberOptions(QLocale::OmitGroupSeparator);
    }

    bool begin() { return painter_.begin(&writer_); }
    void end() { painter_.end(); }

    void titlePage();
    void lineSection(int index);
    const std::array<int, 3>& sectionPages() const { return sectionPages_; }

private:
    // Millimetres to device units and back.
    double dots(double mm) const { return mm * kResolution_dpi / kMmPerInch; }
    QRectF box(double x, double y, double w, double h) const { return {dots(x), dots(y), dots(w), dots(h)}; }

    void newPage();
    void footer();
    double textHeight(const QFont& f, double width, const QString& text, int flags = Qt::TextWordWrap);
    void drawText(const QFont& f, const QColor& color, double x, double y, double w, double h, int flags,
                  const QString& text);
    // A wrapped block at the current position, moving on by its height and `after` mm.
    void block(const QFont& f, const QColor& color, const QString& text, double after,
               int flags = Qt::AlignLeft | Qt::TextWordWrap);
    void rule(double y, double from = kLeft, double to = kRight, const QColor& color = kRule, double width = 0.25);

    QString number(double value, int decimals) const { return locale_.toString(value, 'f', decimals); }
    QString rangeSentence(const LineRatings& line) const;

    std::vector<Column> columns(const LineRatings& line) const;
    void tableHeader(const std::vector<Column>& cols);
    void tableRow(const std::vector<Column>& cols, const RatingRow& row, bool showModel, bool shaded, bool kx);
    void lineHeading(int index, bool continued);
    std::vector<Column> unitColumns() const;
    void unitRow(const std::vector<Column>& cols, const ModelUnitData& unit, bool shaded);
    // One row of a table: the model's name in bold, then the cells; moves down a row.
    void rowCells(const std::vector<Column>& cols, const QStringList& cells);
    void unitDataTable(int index);

    QPdfWriter& writer_;
    const DocumentContent& content_;
    const DocumentTexts& texts_;
    QLocale locale_;
    QPainter painter_;
    int page_ = 1;
    double y_ = kTop;
    std::array<int, 3> knownSectionPages_;
    std::array<int, 3> sectionPages_{};
};

void DocumentPainter::newPage()
{
    writer_.newPage();
    ++page_;
    y_ = kTop;
    footer();
}

void DocumentPainter::footer()
{
    rule(kFooterLine, kLeft, kRight, kRule, 0.3);
    const QFont small = font(kSans, 7.5);
    const QString left = QStringLiteral("%1 · %2 · %3 · Tarvello %4")
                             .arg(content_.title, productDocumentFileName(content_.code).chopped(4), texts_.maker,
                                  content_.version);
    drawText(small, kMuted, kLeft, kFooterLine + 1.5, kRight - kLeft, 5, Qt::AlignLeft | Qt::AlignTop, left);
    drawText(small, kMuted, kLeft, kFooterLine + 1.5, kRight - kLeft, 5, Qt::AlignRight | Qt::AlignTop,
             texts_.page.arg(page_));
}

double DocumentPainter::textHeight(const QFont& f, double width, const QString& text, int flags)
{
    painter_.setFont(f);
    const QRectF needed = painter_.boundingRect(box(0, 0, width, kPageHeight), flags, text);
    return needed.height() * kMmPerInch / kResolution_dpi;
}

void DocumentPainter::drawText(const QFont& f, const QColor& color, double x, double y, double w, double h,
                               int flags, const QString& text)
{
    painter_.setFont(f);
    painter_.setPen(color);
    painter_.drawText(box(x, y, w, h), flags, text);
}

void DocumentPainter::block(const QFont& f, const QColor& color, const QString& text, double after, int flags)
{
    const double height = textHeight(f, kRight - kLeft, text, flags);
    if (y_ + height > kBottom)
        newPage();
    drawText(f, color, kLeft, y_, kRight - kLeft, height + 1, flags, text);
    y_ += height + after;
}

void DocumentPainter::rule(double y, double from, double to, const QColor& color, double width)
{
    painter_.setPen(QPen(color, dots(width)));
    painter_.drawLine(QPointF(dots(from), dots(y)), QPointF(dots(to), dots(y)));
}

QString DocumentPainter::rangeSentence(const LineRatings& line) const
{
    auto low = [&](const CapacityRange& r) { return r.empty() ? kDash : number(r.low_W, 0); };
    auto high = [&](const CapacityRange& r) { return r.empty() ? kDash : number(r.high_W, 0); };
    auto model = [](const std::string& name) { return QString::fromStdString(name); };
    return texts_.rangeSentence.arg(QString::number(line.models.size()), QString::number(line.speeds),
                                    low(line.cooling), model(line.cooling.lowModel), high(line.cooling),
                                    model(line.cooling.highModel), low(line.heating), model(line.heating.lowModel),
                                    high(line.heating))
        .arg(model(line.heating.highModel));
}

void DocumentPainter::titlePage()
{
    footer();
    // The band with the maker and the title.
    painter_.fillRect(box(0, 0, kPageWidth, 72), kBrand);
    drawText(font(kSans, 12, true), Qt::white, kLeft, 16, kRight - kLeft, 8, Qt::AlignLeft, texts_.maker);
    drawText(font(kSerif, 34, true), Qt::white, kLeft, 30, kRight - kLeft, 20, Qt::AlignLeft, content_.title);
    drawText(font(kSans, 11), QColor(0xcf, 0xd8, 0xdc), kLeft, 52, kRight - kLeft, 12,
             Qt::AlignLeft | Qt::TextWordWrap, texts_.subtitle);
    y_ = 84;

    block(font(kSans, 14, true), kBrand, texts_.rangeHeading, 3);
    for (int i = 0; i < 3; ++i) {
        const LineRatings& line = content_.lines[i];
        const QFont titleFont = font(kSans, 11.5, true);
        if (knownSectionPages_[i] > 0)
            drawText(titleFont, kInk, kLeft, y_, kRight - kLeft, 6, Qt::AlignRight | Qt::AlignTop,
                     texts_.page.arg(knownSectionPages_[i]));
        block(titleFont, kInk, content_.lineTitles[i], 0.8);
        block(font(kSans, 9.5, false, true), kMuted, texts_.lineSubtitle[i], 1.2);
        block(font(kSerif, 10), kInk, rangeSentence(line), 5);
    }

    // The standard conditions in a shaded box.
    const QFont conditions = font(kSerif, 10);
    const QStringList lines = {texts_.coolingConditions, texts_.heatingConditions, texts_.fanCoilAirSide,
                               texts_.ductedAirSide.arg(number(content_.lines[LineMRZ].externalPressure_Pa, 0)),
                               texts_.waterNote};
    const QString text = lines.join(u'\n');
    const double inner = kRight - kLeft - 8;
    const double height = textHeight(conditions, inner, text) + 14;
    y_ += 2;
    painter_.fillRect(box(kLeft, y_, kRight - kLeft, height), kBandFill);
    painter_.fillRect(box(kLeft, y_, 1.2, height), kBrand);
    drawText(font(kSans, 11, true), kBrand, kLeft + 5, y_ + 3.5, inner, 6, Qt::AlignLeft, texts_.conditionsHeading);
    drawText(conditions, kInk, kLeft + 5, y_ + 10, inner, height - 10, Qt::AlignLeft | Qt::TextWordWrap, text);
    y_ += height + 6;

    const double noteHeight = textHeight(font(kSerif, 9, false, true), kRight - kLeft,
                                         texts_.sourceNote.arg(content_.version));
    y_ = std::max(y_, kBottom - noteHeight - 2);
    block(font(kSerif, 9, false, true), kMuted, texts_.sourceNote.arg(content_.version), 0);
}

std::vector<Column> DocumentPainter::columns(const LineRatings& line) const
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const QString w = QStringLiteral("W");
    const QString lh = QStringLiteral("l/h");
    const QString kpa = QStringLiteral("kPa");
    const QString dba = QStringLiteral("dB(A)");
    std::vector<Column> cols = {
        {texts_.model, QString(), 23, Qt::AlignLeft | Qt::AlignVCenter, Group::None},
        {texts_.speed, QString(), 11, centre, Group::None},
        {texts_.airFlow, QStringLiteral("m³/h"), 14, right, Group::None},
        {texts_.total, w, 13.5, right, Group::Cooling},
        {texts_.sensible, w, 13.5, right, Group::Cooling},
        {texts_.waterFlow, lh, 14, right, Group::Cooling},
        {texts_.waterDrop, kpa, 13, right, Group::Cooling},
        {texts_.water, QStringLiteral("°C"), 12, centre, Group::Heating},
        {texts_.capacity, w, 14.5, right, Group::Heating},
        {texts_.waterFlow, lh, 14, right, Group::Heating},
        {texts_.waterDrop, kpa, 13, right, Group::Heating},
        {QStringLiteral("LWA"), dba, 11.5, right, Group::Sound},
    };
    if (!productLine(line.line).ducted())
        cols.push_back({QStringLiteral("LPA"), dba, 11.5, right, Group::Sound});
    cols.push_back({texts_.fanPower, w, 13, right, Group::None});
    return fillTextWidth(std::move(cols));
}

void DocumentPainter::tableHeader(const std::vector<Column>& cols)
{
    const double height = kGroupRowHeight + kNameRowHeight + kUnitRowHeight;
    painter_.fillRect(box(kLeft, y_, kRight - kLeft, height), kHeaderFill);
    const QFont groupFont = font(kSans, 7.5, true);
    const QFont nameFont = font(kSans, 7);
    const QFont unitFont = font(kSans, 6.5, false, true);
    double x = kLeft;
    std::size_t i = 0;
    while (i < cols.size()) {
        // One group label over the run of columns of the same group.
        const Group group = cols[i].group;
        double span = 0;
        std::size_t j = i;
        for (; j < cols.size() && cols[j].group == group; ++j)
            span += cols[j].width;
        const QString label = group == Group::Cooling   ? texts_.cooling
                              : group == Group::Heating ? texts_.heating
                              : group == Group::Sound   ? texts_.sound
                                                        : QString();
        if (!label.isEmpty()) {
            drawText(groupFont, kBrand, x, y_, span, kGroupRowHeight, Qt::AlignCenter, label);
            rule(y_ + kGroupRowHeight - 0.3, x + 1, x + span - 1, kBrand, 0.3);
        }
        x += span;
        i = j;
    }
    x = kLeft;
    for (const Column& c : cols) {
        const int flags = (c.align & Qt::AlignHorizontal_Mask).toInt() | Qt::AlignBottom | Qt::TextWordWrap;
        drawText(nameFont, kInk, x + kCellPadding, y_ + kGroupRowHeight, c.width - 2 * kCellPadding,
                 kNameRowHeight, flags, c.name);
        drawText(unitFont, kMuted, x + kCellPadding, y_ + kGroupRowHeight + kNameRowHeight,
                 c.width - 2 * kCellPadding, kUnitRowHeight, (c.align & Qt::AlignHorizontal_Mask).toInt() | Qt::AlignVCenter,
                 c.unit);
        x += c.width;
    }
    y_ += height;
    rule(y_, kLeft, kRight, kBrand, 0.4);
}

void DocumentPainter::tableRow(const std::vector<Column>& cols, const RatingRow& row, bool showModel, bool shaded,
                               bool kx)
{
    if (shaded)
        painter_.fillRect(box(kLeft, y_, kRight - kLeft, kRowHeight), kBandFill);
    const auto& c = row.cooling;
    const auto& h = row.heating;
    constexpr double kLitresPerHourPerM3s = 3600.0 * 1000.0;
    const QString heatingWater = row.heatingWater == HeatingWater::HighTemperature ? QStringLiteral("70/60")
                                                                                    : QStringLiteral("45/40");
    QStringList cells = {
        showModel ? QString::fromStdString(row.model) : QString(),
        QString::number(row.speed),
        row.airFlow_m3h > 0 ? number(row.airFlow_m3h, 0) : kDash,
        c ? number(c->Capacity, 0) : kDash,
        c ? number(c->SensibleCapacity, 0) : kDash,
        c ? number(c->WaterFlow * kLitresPerHourPerM3s, 0) : kDash,
        c ? number(c->WaterPressureDrop, 1) : kDash,
        h ? heatingWater : kDash,
        h ? number(h->Capacity, 0) : kDash,
        h ? number(h->WaterFlow * kLitresPerHourPerM3s, 0) : kDash,
        h ? number(h->WaterPressureDrop, 1) : kDash,
        number(row.soundPower_dBA, 0),
    };
    if (kx)
        cells << number(row.soundPressure_dBA, 0);
    cells << (row.fanPower_W ? number(*row.fanPower_W, 1) : kDash);
    rowCells(cols, cells);
}

void DocumentPainter::rowCells(const std::vector<Column>& cols, const QStringList& cells)
{
    const QFont cellFont = font(kSans, 7.5);
    const QFont modelFont = font(kSans, 7.5, true);
    double x = kLeft;
    for (std::size_t i = 0; i < cols.size(); ++i) {
        drawText(i == 0 ? modelFont : cellFont, kInk, x + kCellPadding, y_, cols[i].width - 2 * kCellPadding,
                 kRowHeight, cols[i].align.toInt(), cells[int(i)]);
        x += cols[i].width;
    }
    y_ += kRowHeight;
}

void DocumentPainter::lineHeading(int index, bool continued)
{
    const QString title = continued ? content_.lineTitles[index] + QStringLiteral(" ") + texts_.continued
                                    : content_.lineTitles[index];
    block(font(kSans, continued ? 12 : 20, true), kBrand, title, continued ? 3 : 1);
}

void DocumentPainter::lineSection(int index)
{
    const LineRatings& line = content_.lines[index];
    const bool kx = !productLine(line.line).ducted();
    newPage();
    sectionPages_[index] = page_;
    lineHeading(index, false);
    block(font(kSans, 11, false, true), kMuted, texts_.lineSubtitle[index], 2);
    rule(y_, kLeft, kRight, kBrand, 0.5);
    y_ += 4;
    // Only the ducted lines' introductions name their external static pressure.
    const QString intro = kx ? texts_.lineIntro[index]
                             : texts_.lineIntro[index].arg(number(line.externalPressure_Pa, 0));
    block(font(kSerif, 10.5), kInk, intro, 2.5, Qt::AlignJustify | Qt::TextWordWrap);
    block(font(kSerif, 10.5), kInk, rangeSentence(line), 3.5, Qt::AlignJustify | Qt::TextWordWrap);

    const QString airSide = kx ? texts_.fanCoilAirSide
                               : texts_.ductedAirSide.arg(number(line.externalPressure_Pa, 0));
    QStringList notes = {texts_.coolingConditions, texts_.heatingConditions, airSide + QStringLiteral(" ")
                                                                                 + texts_.waterNote};
    notes << texts_.variantsNote << texts_.readingNote + QStringLiteral(" ") + texts_.dashNote;
    for (const QString& note : notes)
        block(font(kSans, 8), kMuted, note, 1.2);
    y_ += 3;

    const std::vector<Column> cols = columns(line);
    std::vector<ModelRows> models;
    for (const RatingRow& row : line.rows) {
        if (row.firstSpeedOfModel || models.empty())
            models.emplace_back();
        models.back().rows.push_back(&row);
    }
    const double headerHeight = kGroupRowHeight + kNameRowHeight + kUnitRowHeight;
    if (y_ + headerHeight + kRowHeight * double(models.front().rows.size()) > kBottom) {
        newPage();
        lineHeading(index, true);
    }
    tableHeader(cols);
    bool shaded = false;
    for (const ModelRows& model : models) {
        if (y_ + kRowHeight * double(model.rows.size()) > kBottom) {
            newPage();
            lineHeading(index, true);
            tableHeader(cols);
        }
        bool first = true;
        for (const RatingRow* row : model.rows) {
            tableRow(cols, *row, first, shaded, kx);
            first = false;
        }
        rule(y_, kLeft, kRight, kRule, 0.2);
        shaded = !shaded;
    }
    unitDataTable(index);
}

std::vector<Column> DocumentPainter::unitColumns() const
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    std::vector<Column> cols = {
        {texts_.model, QString(), 23, left, Group::None},
        {texts_.dimensions, QStringLiteral("mm"), 27, right, Group::None},
        {texts_.weight, QStringLiteral("kg"), 12, right, Group::None},
        {texts_.connection, QString(), 15, left, Group::None},
        {texts_.heatingConnection, QString(), 17, left, Group::None},
        {texts_.waterContent, QStringLiteral("l"), 13, right, Group::None},
        {texts_.supply, QString(), 23, left, Group::None},
        {texts_.current, QStringLiteral("A"), 13, right, Group::None},
        {QStringLiteral("FCEER"), QString(), 14, right, Group::None},
        {QStringLiteral("FCCOP"), QString(), 14, right, Group::None},
    };
    return fillTextWidth(std::move(cols));
}

void DocumentPainter::unitRow(const std::vector<Column>& cols, const ModelUnitData& unit, bool shaded)
{
    if (shaded)
        painter_.fillRect(box(kLeft, y_, kRight - kLeft, kRowHeight), kBandFill);
    QStringList cells = {QString::fromStdString(unit.model)};
    if (const auto& d = unit.data) {
        const auto orDash = [](const std::string& text) {
            return text.empty() ? kDash : QString::fromStdString(text);
        };
        cells << number(d->width_mm, 0) + QStringLiteral(" × ") + number(d->height_mm, 0) + QStringLiteral(" × ")
                     + number(d->depth_mm, 0)
              << number(d->weight_kg, 1) << orDash(d->waterConnection) << orDash(d->heatingConnection)
              << number(d->waterContent_l, 2) << orDash(d->supply)
              << (d->motorCurrent_A.empty() ? kDash : number(d->motorCurrent_A.back(), 2))
              << orDash(energy::indexText(unit.energy.fceer, unit.energy.fceerClass()))
              << orDash(energy::indexText(unit.energy.fccop, unit.energy.fccopClass()));
    }
    while (cells.size() < int(cols.size()))
        cells << kDash;
    rowCells(cols, cells);
}

// The line's unit data and energy indexes, one row per model, after its rating table.
void DocumentPainter::unitDataTable(int index)
{
    const LineRatings& line = content_.lines[index];
    const std::vector<Column> cols = unitColumns();
    const double headerHeight = kGroupRowHeight + kNameRowHeight + kUnitRowHeight;
    y_ += 5;
    if (y_ + 20 + headerHeight + kRowHeight * 3 > kBottom) {
        newPage();
        lineHeading(index, true);
    }
    block(font(kSans, 11, true), kBrand, texts_.unitDataHeading, 1.5);
    block(font(kSans, 8), kMuted, texts_.energyNote, 2);
    tableHeader(cols);
    bool shaded = false;
    for (const ModelUnitData& unit : line.units) {
        if (y_ + kRowHeight > kBottom) {
            newPage();
            lineHeading(index, true);
            tableHeader(cols);
        }
        unitRow(cols, unit, shaded);
        shaded = !shaded;
    }
    rule(y_, kLeft, kRight, kRule, 0.2);
}

} // namespace

QString productDocumentFileName(const QString& code)
{
    return QStringLiteral("DTB") + code + QStringLiteral("04-7.pdf");
}

QString writeProductDocument(const QString& path, const DocumentContent& content)
{
    if (!content.texts)
        return QStringLiteral("no texts for the language of %1").arg(path);
    // Write beside the target and replace it at the end, so that a failed run never
    // leaves a truncated document in the program folder.
    const QString partial = path + QStringLiteral(".part");
    // The first pass, into memory, finds the page where each line's section starts, so
    // the first page can list them.
    std::array<int, 3> sectionPages{};
    {
        QBuffer scratch;
        scratch.open(QIODevice::WriteOnly);
        QPdfWriter writer(&scratch);
        writer.setResolution(kResolution_dpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        DocumentPainter document(writer, content, sectionPages);
        if (!document.begin())
            return QStringLiteral("cannot lay out %1").arg(path);
        document.titlePage();
        for (int i = 0; i < 3; ++i)
            document.lineSection(i);
        document.end();
        sectionPages = document.sectionPages();
    }
    {
        QPdfWriter writer(partial);
        writer.setResolution(kResolution_dpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
        writer.setTitle(content.title + QStringLiteral(" — ") + content.lineTitles[0] + QStringLiteral(", ")
                        + content.lineTitles[1] + QStringLiteral(", ") + content.lineTitles[2]);
        writer.setCreator(QStringLiteral("Tarvello ") + content.version);
        DocumentPainter document(writer, content, sectionPages);
        if (!document.begin())
            return QStringLiteral("cannot write %1").arg(partial);
        document.titlePage();
        for (int i = 0; i < 3; ++i)
            document.lineSection(i);
        document.end();
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        return QStringLiteral("cannot replace %1").arg(path);
    }
    return {};
}

} // namespace tarvello::productdocs
