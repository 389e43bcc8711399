#include "shell/fscelta.h"

#include "engine/model_table.h"
#include "shell/app_state.h"
#include "shell/forms.h"
#include "shell/fmenu.h"
#include "shell/language.h"
#include "shell/message_sink.h"
#include "shell/shell_services.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace tarvello {

namespace {

constexpr int kSpanishBase = 900;
constexpr int kSpanishTitlePoints = 20;

// The chooser shows the product lines in the order of their table.
const auto& kLines = kProductLines;

// A failed load leaves no usable model table: tell the user, then end in order.
void endAfterLoadError(const QString& message)
{
    messages().critical(message, QString::fromLatin1(kProgramTitle));
    if (Fmenu* menu = Forms::findLoaded<Fmenu>())
        menu->close();
    else
        endProgram();
}

} // namespace

void selectLine(int index)
{
    if (!isProductLine(index))
        return;
    const ProductLineInfo& line = productLine(index);
    if (line.ducted())
        modelTable().SeriesCode = line.seriesCode;
    SelectionWindows* windows = services().selection;
    if (windows)
        windows->setCaption(index, Testo(line.captionText));
    if (const std::optional<QString> error = modelSource().loadLine(index)) {
        endAfterLoadError(*error);
        return;
    }
    if (windows)
        windows->showModal(index);
}

void ClickableFrame::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QGroupBox::mouseReleaseEvent(event);
}

void ClickablePicture::mouseReleaseEvent(QMouseEvent* event)
{
    // Accepted here, so the frame around the picture does not report the same click.
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

Fscelta::Fscelta()
{
    setObjectName(QStringLiteral("fscelta"));
    setAttribute(Qt::WA_DeleteOnClose);
    Forms::loaded(this);

    auto* layout = new QVBoxLayout(this);
    lbltitolo = new QLabel(this);
    lbltitolo->setObjectName(QStringLiteral("lbltitolo"));
    lbltitolo->setAlignment(Qt::AlignCenter);
    QFont titleFont(QStringLiteral("Arial"), 16, QFont::Bold);
    titleFont.setItalic(true);
    lbltitolo->setFont(titleFont);
    titleDesignSize = titleFont.pointSize();
    layout->addWidget(lbltitolo);

    auto* row = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        frmselection[i] = new ClickableFrame(this);
        frmselection[i]->setObjectName(QStringLiteral("frmselection(%1)").arg(i));
        frmselection[i]->setCursor(Qt::PointingHandCursor);
        auto* inside = new QVBoxLayout(frmselection[i]);
        imgselection[i] = new ClickablePicture(frmselection[i]);
        imgselection[i]->setObjectName(QStringLiteral("imgselection(%1)").arg(i));
        imgselection[i]->setPixmap(QIcon(QString::fromLatin1(kLines[i].picture)).pixmap(QSize(180, 140)));
        imgselection[i]->setAlignment(Qt::AlignCenter);
        inside->addWidget(imgselection[i]);
        row->addWidget(frmselection[i]);
        connect(frmselection[i], &ClickableFrame::clicked, this, [this, i] { frmselection_Click(i); });
        connect(imgselection[i], &ClickablePicture::clicked, this, [this, i] { imgselection_Click(i); });
    }
    layout->addLayout(row);
}

void Fscelta::load()
{
    for (int i = 0; i < 3; ++i)
        frmselection[i]->setTitle(Testo(kLines[i].captionText));
    lbltitolo->setText(Testo(27));
    QFont font = lbltitolo->font();
    font.setPointSize(LangBase == kSpanishBase ? kSpanishTitlePoints : titleDesignSize);
    lbltitolo->setFont(font);
    setWindowTitle(Testo(27));
    adjustSize();
    if (parentWidget())
        parentWidget()->adjustSize();
    CentraForm(this);
}

void Fscelta::closeEvent(QCloseEvent* event)
{
    Forms::forget(this);
    event->accept();
}

} // namespace tarvello
