#include <gtest/gtest.h>

#include <csignal>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/SettingsFile.h"

using bw::app::SettingsFile;

namespace {

void writeRaw(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readRaw(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

std::optional<qint32> colourOfFile(const QByteArray& bytes) {
    QTemporaryDir dir;
    const SettingsFile settings(dir.path());
    writeRaw(settings.path(), bytes);
    return settings.readBackgroundColour();
}

} // namespace

TEST(SettingsFile, ReadsTheColourFromTheFirstLine) {
    EXPECT_EQ(colourOfFile(" 255 \r\n"), 255);
    EXPECT_EQ(colourOfFile("&H808080\r\n"), 8421504);
    EXPECT_EQ(colourOfFile("abc\r\n"), 0);
    EXPECT_EQ(colourOfFile("16711680"), 16711680) << "no line ending";
    EXPECT_EQ(colourOfFile("-1\n99\r\n"), -1) << "later lines are ignored";
    EXPECT_EQ(colourOfFile("\r\n255\r\n"), 0) << "an empty first line";
    EXPECT_EQ(colourOfFile(""), 0);
    EXPECT_EQ(colourOfFile("2.5\r\n"), 2);
    EXPECT_EQ(colourOfFile("99999999999\r\n"), 0);
    EXPECT_EQ(colourOfFile(QByteArray(10000, '9')), 0);
    EXPECT_EQ(colourOfFile(QByteArray(3 << 20, '0')), 0) << "a line longer than any setting";
    QByteArray garbage(4096, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>((i * 7919) % 256);
    EXPECT_EQ(colourOfFile(garbage), 0);

    QTemporaryDir dir;
    EXPECT_EQ(SettingsFile(dir.path()).readBackgroundColour(), std::nullopt) << "missing file";
    ASSERT_TRUE(QDir(dir.path()).mkdir("mbb.ini"));
    EXPECT_EQ(SettingsFile(dir.path()).readBackgroundColour(), std::nullopt) << "a folder in its place";
}

TEST(SettingsFile, ANamedPipeInItsPlaceReadsAsMissing) {
    QTemporaryDir dir;
    const SettingsFile settings(dir.path());
    ASSERT_EQ(::mkfifo(settings.path().toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(settings.readBackgroundColour(), std::nullopt) << "and returns at once";
    EXPECT_EQ(colourOfFile(QByteArray("  255  \r\n16711680\r\n")), 255) << "only the first line counts";
}

TEST(SettingsFile, WritesOneLineThatReadsBack) {
    QTemporaryDir dir;
    const SettingsFile settings(dir.path() + "/not/yet/there");
    for (qint32 colour : {16711680, 0, -1, 2147483647, -2147483647 - 1}) {
        ASSERT_TRUE(settings.saveini(colour));
        EXPECT_EQ(readRaw(settings.path()), QByteArray::number(colour) + "\r\n");
        EXPECT_EQ(settings.readBackgroundColour(), colour);
    }
    EXPECT_EQ(QDir(settings.folder()).entryList(QDir::Files), QStringList{"mbb.ini"})
        << "temporary file left";
}

TEST(SettingsFile, RewritesTheFileOnlyWhenItsBytesWouldChange) {
    QTemporaryDir dir;
    const SettingsFile settings(dir.path());
    const auto inode = [&settings] {
        struct stat info {};
        return ::stat(QFile::encodeName(settings.path()).constData(), &info) == 0 ? info.st_ino : ino_t{0};
    };
    ASSERT_TRUE(settings.saveini(255));
    const ino_t first = inode();
    ASSERT_NE(first, ino_t{0});
    ASSERT_TRUE(settings.saveini(255));
    EXPECT_EQ(inode(), first) << "the same colour replaced the file";

    // The same colour written another way, or with more after it, becomes the one line.
    for (const QByteArray& other :
         {QByteArray("255\n"), QByteArray("255\r\n\r\n"), QByteArray(" 255\r\n"), QByteArray("25\r\n")}) {
        writeRaw(settings.path(), other);
        ASSERT_TRUE(settings.saveini(255));
        EXPECT_EQ(readRaw(settings.path()), "255\r\n") << other.toStdString();
    }
}

TEST(SettingsFile, AFailedWriteLeavesTheOldFileAndSaysSo) {
    QTemporaryDir dir;
    const SettingsFile settings(dir.path());
    ASSERT_TRUE(settings.saveini(255));

    { // the disk is full: not one byte can be written
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit none = old;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
        const bool saved = settings.saveini(16711680);
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, previousHandler);
        EXPECT_FALSE(saved);
    }
    EXPECT_EQ(readRaw(settings.path()), "255\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"mbb.ini"});

    // A folder that cannot be made.
    writeRaw(dir.path() + "/plain", "x");
    EXPECT_FALSE(SettingsFile(dir.path() + "/plain/sub").saveini(1));
}

TEST(SettingsFile, KeepsThePermissionsOfTheFile) {
    QTemporaryDir dir;
    const SettingsFile settings(dir.path());
    ASSERT_TRUE(settings.saveini(255));
    ASSERT_TRUE(QFile::setPermissions(settings.path(), QFile::ReadOwner | QFile::WriteOwner));
    ASSERT_TRUE(settings.saveini(16711680));
    EXPECT_EQ(readRaw(settings.path()), "16711680\r\n");
    EXPECT_EQ(QFile::permissions(settings.path()),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

TEST(SettingsFile, AReadOnlyFolderAndFileKeepTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root, which writes into read-only folders anyway";
    QTemporaryDir dir;
    const SettingsFile settings(dir.path());
    ASSERT_TRUE(settings.saveini(255));
    // A writable file would be rewritten in place; a read-only one cannot be saved at all.
    QFile::setPermissions(settings.path(), QFile::ReadOwner);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_FALSE(settings.saveini(16711680));
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(readRaw(settings.path()), "255\r\n");
}

TEST(SettingsFile, AReadOnlyProgramFolderSendsTheSettingsToTheConfigFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root, for whom every folder is writable";
    QTemporaryDir executable;
    QTemporaryDir config;
    QFile::setPermissions(executable.path(), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(SettingsFile::chooseFolder(executable.path(), config.path()), config.path());
    QFile::setPermissions(executable.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(SettingsFile, LivesNextToTheProgramWhenThatFolderIsWritable) {
    QTemporaryDir executable;
    QTemporaryDir config;
    EXPECT_EQ(SettingsFile::chooseFolder(executable.path(), config.path()), executable.path());
    EXPECT_EQ(SettingsFile::chooseFolder(executable.path() + "/gone", config.path()), config.path());
    EXPECT_EQ(SettingsFile(executable.path()).path(), executable.path() + "/mbb.ini");

    // An installation's bin/ never holds the settings, writable or not.
    QTemporaryDir prefix;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/boardwright");
    EXPECT_EQ(SettingsFile::chooseFolder(prefix.path() + "/bin", config.path()), prefix.path() + "/bin");
    QFile registry(prefix.path() + "/share/boardwright/registry.ini");
    ASSERT_TRUE(registry.open(QIODevice::WriteOnly));
    registry.close();
    EXPECT_EQ(SettingsFile::chooseFolder(prefix.path() + "/bin", config.path()), config.path());
}
