#include "selection_ui/not_listed_panel.h"

#include "shell/text_table.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tarvello {

namespace {

constexpr int kReturnText = 68;
constexpr int kCopyText = 19;
constexpr int kPanelWidth = 760;  // pixels: a model, a reason and a figure side by side
constexpr int kPanelHeight = 360; // pixels

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

FNonElencati::FNonElencati(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FNonElencati"));
    grdNonElencati = new QTableWidget(0, 3, this);
    grdNonElencati->setObjectName(QStringLiteral("grdNonElencati"));
    grdNonElencati->verticalHeader()->setVisible(false);
    grdNonElencati->horizontalHeader()->setStretchLastSection(true);
    grdNonElencati->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdNonElencati->setWordWrap(false);
    grdNonElencati->installEventFilter(this);
    cmdCopia = new QPushButton(this);
    cmdCopia->setObjectName(QStringLiteral("cmdCopia"));
    cmdChiudi = new QPushButton(this);
    cmdChiudi->setObjectName(QStringLiteral("cmdChiudi"));
    connect(cmdCopia, &QPushButton::clicked, this, [this] { copyToClipboard(); });
    connect(cmdChiudi, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopia);
    buttons->addWidget(cmdChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grdNonElencati, 1);
    layout->addLayout(buttons);
    resize(kPanelWidth, kPanelHeight);
}

void FNonElencati::showRows(std::vector<NotListedRow> rows, qint16 langBase)
{
    rows_ = std::move(rows);
    langBase_ = langBase;
    auto caption = [langBase](int offset) { return textForLanguage(langBase, offset).trimmed(); };
    setWindowTitle(caption(kNotListedTitleText));
    cmdCopia->setText(caption(kCopyText));
    cmdChiudi->setText(caption(kReturnText));
    grdNonElencati->setHorizontalHeaderLabels(
        {caption(kModelHeadingText), caption(kReasonHeadingText), caption(kDetailsHeadingText)});
    grdNonElencati->setRowCount(int(rows_.size()));
    for (int r = 0; r < int(rows_.size()); ++r) {
        const NotListedRow& row = rows_[size_t(r)];
        grdNonElencati->setItem(r, 0, readOnlyItem(row.model));
        grdNonElencati->setItem(r, 1, readOnlyItem(row.reason));
        grdNonElencati->setItem(r, 2, readOnlyItem(row.figure));
    }
    grdNonElencati->resizeColumnToContents(0);
    grdNonElencati->resizeColumnToContents(1);
}

QString FNonElencati::copyText() const
{
    return notListedCopyText(rows_, langBase_);
}

QString FNonElencati::copyToClipboard()
{
    const QString text = copyText();
    QApplication::clipboard()->setText(text);
    return text;
}

void FNonElencati::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The table would copy its current cell only: Ctrl+C there copies the whole panel too.
bool FNonElencati::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grdNonElencati && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copyToClipboard();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvello
