#pragma once
// A private XDG desktop for tests that ask which program opens a document: every XDG
// search path points at a temporary folder while the sandbox lives, so the answer does not
// depend on the machine, and the environment is restored afterwards.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>

class XdgSandbox {
public:
    XdgSandbox()
    {
        for (const char* name : kVariables)
            saved_[name] = qgetenv(name);
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "XDG_MENU_PREFIX"})
            qunsetenv(name);
        const QDir root(home_.path());
        for (const char* sub : {"config", "etc", "data/applications", "share/applications"})
            root.mkpath(sub);
        linkSystemMimeDatabase(root.filePath("share/mime"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath("config")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath("etc")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath("data")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(root.filePath("share")));
    }
    ~XdgSandbox()
    {
        for (const auto& [name, value] : saved_) {
            if (value.isNull())
                qunsetenv(name);
            else
                qputenv(name, value);
        }
    }

    // A viewer entry for `mimeType`, chosen as the default in mimeapps.list.
    void addDefaultViewer(const QString& mimeType)
    {
        const QDir root(home_.path());
        QFile entry(root.filePath("data/applications/fake-viewer.desktop"));
        ASSERT_TRUE(entry.open(QIODevice::WriteOnly));
        entry.write("[Desktop Entry]\nType=Application\nName=Fake viewer\n"
                    "Exec=/bin/false %f\nMimeType=" + mimeType.toUtf8() + ";\n");
        QFile list(root.filePath("config/mimeapps.list"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write("[Default Applications]\n" + mimeType.toUtf8() + "=fake-viewer.desktop\n");
    }

private:
    // The MIME database itself stays visible (Qt reads it from the same folders); only
    // the applications and the associations come from the sandbox.
    void linkSystemMimeDatabase(const QString& link)
    {
        QByteArray dirs = saved_["XDG_DATA_DIRS"];
        if (dirs.isEmpty())
            dirs = "/usr/local/share:/usr/share";
        for (const QByteArray& dir : dirs.split(':')) {
            const QString mime = QDir(QFile::decodeName(dir)).filePath("mime");
            if (QFileInfo::exists(mime + "/packages")) {
                QFile::link(mime, link);
                return;
            }
        }
    }

    static constexpr const char* kVariables[] = {
        "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS",
        "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID",
        "XDG_MENU_PREFIX"};
    std::map<QByteArray, QByteArray> saved_;
    QTemporaryDir home_;
};
