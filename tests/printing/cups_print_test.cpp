// One report through a real print queue: a private CUPS scheduler with a cups-pdf printer,
// reached only by this process through CUPS_SERVER, so no other program on the machine sees
// its printer. Skipped with a message when CUPS or cups-pdf is not installed or the
// scheduler does not start; the scheduler is always stopped at the end.

#include "pdf_reading.h"
#include "report_samples.h"

#include "printing/fstampa.h"
#include "printing/printer_check.h"
#include "printing/report_document.h"
#include "shell/app_state.h"
#include "shell/recording_message_sink.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace tarvello {
namespace {

const QString kCupsd = QStringLiteral("/usr/sbin/cupsd");
const QString kLpadmin = QStringLiteral("/usr/sbin/lpadmin");
const QString kCupsPdfPpd = QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd");
const QString kCupsPdfBackend = QStringLiteral("/usr/lib/cups/backend/cups-pdf");

bool writeFile(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// cups-pdf writes into the PDF folder of the job owner's home.
QString cupsPdfFolder()
{
    const passwd* user = getpwuid(getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    return QDir(home).filePath(QStringLiteral("PDF"));
}

// A scheduler of our own in a temporary folder, stopped when this object dies.
class PrivateCups {
public:
    ~PrivateCups() { stop(); }

    // Empty when it runs; otherwise why not.
    QString start()
    {
        for (const QString& file : {kCupsd, kLpadmin, kCupsPdfPpd, kCupsPdfBackend})
            if (!QFileInfo::exists(file))
                return file + QStringLiteral(" is missing (apt-get install cups printer-driver-cups-pdf)");
        if (getuid() != 0)
            return QStringLiteral("a private scheduler with cups-pdf needs root");
        if (!dir_.isValid())
            return QStringLiteral("no temporary folder");
        // Filters run as lp and must reach the spool below this folder.
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                               | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                               | QFileDevice::ReadOther | QFileDevice::ExeOther);
        QDir root(dir_.path());
        for (const char* sub : {"etc", "spool/tmp", "cache", "state", "log"})
            root.mkpath(QString::fromLatin1(sub));
        socket_ = root.filePath(QStringLiteral("cups.sock"));
        const QString files = QStringLiteral("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                             "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                                             "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\n"
                                             "ServerBin /usr/lib/cups\nDataDir /usr/share/cups\nUser lp\nGroup lp\n"
                                             "SystemGroup root\nSandboxing Relaxed\n")
                                  .arg(dir_.path());
        const QString daemon = QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\nDefaultAuthType None\n"
                                              "WebInterface No\n<Location />\n  Order allow,deny\n  Allow all\n"
                                              "</Location>\n")
                                   .arg(socket_);
        const QString filesConf = root.filePath(QStringLiteral("etc/cups-files.conf"));
        const QString daemonConf = root.filePath(QStringLiteral("etc/cupsd.conf"));
        if (!writeFile(filesConf, files) || !writeFile(daemonConf, daemon))
            return QStringLiteral("cannot write the scheduler's configuration");

        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        daemon_.start(kCupsd, {QStringLiteral("-f"), QStringLiteral("-c"), daemonConf, QStringLiteral("-s"), filesConf});
        if (!daemon_.waitForStarted(5000))
            return QStringLiteral("cupsd does not start");
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(socket_) && waited.elapsed() < 10000)
            QThread::msleep(100);
        if (!QFileInfo::exists(socket_))
            return QStringLiteral("cupsd opened no socket: ") + QString::fromLocal8Bit(daemon_.readAll());
        qputenv("CUPS_SERVER", QFile::encodeName(socket_));
        if (!admin({QStringLiteral("-p"), QStringLiteral("PDF"), QStringLiteral("-v"), QStringLiteral("cups-pdf:/"),
                    QStringLiteral("-P"), kCupsPdfPpd, QStringLiteral("-E")})
            || !admin({QStringLiteral("-d"), QStringLiteral("PDF")}))
            return QStringLiteral("lpadmin could not add the cups-pdf printer");
        return {};
    }

    // Whether the queue still holds unfinished jobs.
    bool hasPendingJobs()
    {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-h"), socket_, QStringLiteral("-o")});
        return !lpstat.waitForFinished(10000) || !lpstat.readAllStandardOutput().trimmed().isEmpty();
    }

    void stop()
    {
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            if (!daemon_.waitForFinished(10000)) {
                daemon_.kill();
                daemon_.waitForFinished(5000);
            }
        }
        qunsetenv("CUPS_SERVER");
    }

private:
    bool admin(const QStringList& arguments)
    {
        QProcess lpadmin;
        lpadmin.start(kLpadmin, QStringList{QStringLiteral("-h"), socket_} + arguments);
        return lpadmin.waitForFinished(20000) && lpadmin.exitStatus() == QProcess::NormalExit
               && lpadmin.exitCode() == 0;
    }

    QTemporaryDir dir_;
    QString socket_;
    QProcess daemon_;
};

QStringList pdfFilesIn(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// The PDF files that appear in `folder` besides `known`, once the queue has no job left.
QStringList waitForNewFiles(PrivateCups& cups, const QString& folder, const QStringList& known)
{
    QStringList added;
    QElapsedTimer waited;
    waited.start();
    while ((added.isEmpty() || cups.hasPendingJobs()) && waited.elapsed() < 60000) {
        QThread::msleep(250);
        added = pdfFilesIn(folder);
        for (const QString& old : known)
            added.removeAll(old);
    }
    return added;
}

TEST(CupsPrint, AReportGoesThroughTheDefaultPrinterQueue)
{
    PrivateCups cups;
    const QString why = cups.start();
    if (!why.isEmpty())
        GTEST_SKIP() << "no private print server: " << why.toStdString();

    ASSERT_TRUE(hasDefaultPrinter());
    EXPECT_TRUE(StampanteDisponibile()) << "cups-pdf accepts a page orientation";

    LangBase = 100;
    RecordingMessageSink messages;
    const QString out = cupsPdfFolder();
    const bool outExisted = QFileInfo::exists(out);
    const QStringList before = pdfFilesIn(out);

    FStampa window;
    window.setSource(testing::kxCoolingSource());
    window.setOrientationAvailable(StampanteDisponibile());
    window.show();
    window.cmdStampa->click();
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.value(0).text.toStdString();
    EXPECT_TRUE(window.isHidden());

    // The queue converts the job and cups-pdf writes it as a file of its own.
    const QStringList first = waitForNewFiles(cups, out, before);
    ASSERT_EQ(first.size(), 1) << "one job in " << out.toStdString();
    EXPECT_TRUE(first[0].startsWith(QStringLiteral("Tarvello"))) << first[0].toStdString() << ": the job's title";
    EXPECT_GT(QFileInfo(QDir(out).filePath(first[0])).size(), 1000);

    // Two calculations on one sheet: nothing leaves the printer until "Fine pagina".
    window.show();
    window.chkenddoc->click();
    window.cmdStampa->click();
    window.show();
    window.setSource(testing::mrzHeatingSource());
    window.cmdStampa->click();
    EXPECT_TRUE(window.hasOpenDocument());
    EXPECT_FALSE(cups.hasPendingJobs());
    window.show();
    window.cmdFinePag->click();
    EXPECT_FALSE(window.hasOpenDocument());
    const QStringList second = waitForNewFiles(cups, out, before + first);
    ASSERT_EQ(second.size(), 1) << "both reports in one job";
    if (testing::popplerAvailable()) {
        EXPECT_EQ(testing::pdfPageCount(QDir(out).filePath(second[0])), 1) << "on one sheet";
    }
    EXPECT_TRUE(messages.messages.isEmpty()) << messages.messages.value(0).text.toStdString();

    for (const QString& file : first + second)
        QFile::remove(QDir(out).filePath(file));
    if (!outExisted)
        QDir().rmdir(out); // only when empty
}

} // namespace
} // namespace tarvello
