#include "pictures/PictureSources.h"

#include <QDir>
#include <QtTest>

#include "PictureTestFiles.h"
#include "common/TestAppFolder.h"

using namespace PictureTestFiles;

namespace {

const QStringList kSuffixes = {"png", "jpg", "jpeg", "gif"};

// Makes the files of a row in the application folder: "snap/1942.png" is a file,
// "snap.zip:snap/1942.png" an entry of an archive. Each file holds its own name.
void makeFiles(const TestAppFolder& app, const QStringList& files) {
    QMap<QString, QList<ZipEntry>> archives;
    for (const QString& f : files) {
        const qsizetype colon = f.indexOf(u':');
        if (colon < 0) {
            app.write(f, f.toUtf8());
            continue;
        }
        const QString entry = f.mid(colon + 1);
        archives[f.left(colon)].append({entry, entry.toUtf8(), true});
    }
    for (auto a = archives.cbegin(); a != archives.cend(); ++a)
        QVERIFY(WriteZip(app.file(a.key()), a.value()));
}

// The origin of what `rom` finds, with the application folder left out.
QString found(PictureSources& sources, const TestAppFolder& app, const QString& rom) {
    for (int s = 0; s < sources.count(); ++s) {
        const PictureLocation location = sources.locate(s, rom);
        if (location.found())
            return location.origin.mid(QDir::toNativeSeparators(app.path()).size() + 1);
    }
    return {};
}

} // namespace

class tst_PictureSources : public QObject {
    Q_OBJECT
private slots:
    void paths_data();
    void paths();
    void locate_data();
    void locate();
    void unusableSources_data();
    void unusableSources();
    void read_data();
    void read();
};

void tst_PictureSources::paths_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("absent") << "" << QStringList();
    QTest::newRow("only separators and blanks") << " ; ;" << QStringList();
    QTest::newRow("relative folder") << "snap" << QStringList{"/app/snap"};
    QTest::newRow("absolute archive") << "/pics/snap.zip" << QStringList{"/pics/snap.zip"};
    QTest::newRow("several, blanks around, in order")
        << " snap ; /pics/titles.zip;;flyers " << QStringList{"/app/snap", "/pics/titles.zip", "/app/flyers"};
    QTest::newRow("a blank inside a name") << "my snaps" << QStringList{"/app/my snaps"};
}

void tst_PictureSources::paths() {
    QFETCH(QString, setting);
    QFETCH(QStringList, paths);
    QCOMPARE(PictureSources::paths(setting, "/app"), paths);
}

void tst_PictureSources::locate_data() {
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("rom");
    QTest::addColumn<QString>("expected");

    QTest::newRow("folder, PNG") << QStringList{"snap/1942.png"} << "snap" << "1942"
                                 << "snap/1942.png";
    QTest::newRow("folder, suffix in capitals") << QStringList{"snap/1942.PNG"} << "snap"
                                                << "1942" << "snap/1942.PNG";
    QTest::newRow("folder, PNG before JPEG") << QStringList{"snap/1942.jpg", "snap/1942.png"}
                                             << "snap" << "1942" << "snap/1942.png";
    QTest::newRow("folder, JPEG") << QStringList{"snap/1942.jpeg"} << "snap" << "1942"
                                  << "snap/1942.jpeg";
    QTest::newRow("folder, not an image suffix") << QStringList{"snap/1942.txt"} << "snap"
                                                 << "1942" << "";
    QTest::newRow("folder, the game's own folder, first by name")
        << QStringList{"snap/1942/0001.png", "snap/1942/0000.png", "snap/1942/notes.txt"}
        << "snap" << "1942" << "snap/1942/0000.png";
    QTest::newRow("folder, own picture before own folder")
        << QStringList{"snap/1942/0000.png", "snap/1942.jpg"} << "snap" << "1942"
        << "snap/1942.jpg";
    QTest::newRow("folder, other game only") << QStringList{"snap/19421.png"} << "snap"
                                             << "1942" << "";
    QTest::newRow("folder, letter case of the name counts")
        << QStringList{"snap/Pacman.png"} << "snap" << "pacman" << "";
    QTest::newRow("folder, a name that climbs out") << QStringList{"secret.png", "snap/x.png"}
                                                    << "snap" << "../secret" << "";
    QTest::newRow("folder, dot dot") << QStringList{"x.png", "snap/y.png"} << "snap" << ".."
                                     << "";

    QTest::newRow("archive, at its root") << QStringList{"snap.zip:1942.png"} << "snap.zip"
                                          << "1942" << "snap.zip (1942.png)";
    QTest::newRow("archive, in a folder") << QStringList{"snap.zip:snap/1942.png"}
                                          << "snap.zip" << "1942" << "snap.zip (snap/1942.png)";
    QTest::newRow("archive, the game's own folder, first by name")
        << QStringList{"snap.zip:1942/0001.png", "snap.zip:1942/0000.png"} << "snap.zip"
        << "1942" << "snap.zip (1942/0000.png)";
    QTest::newRow("archive, a folder holding the games' folders")
        << QStringList{"snap.zip:snap/1942/0000.png"} << "snap.zip" << "1942"
        << "snap.zip (snap/1942/0000.png)";
    QTest::newRow("archive, root before folder")
        << QStringList{"snap.zip:snap/1942.png", "snap.zip:1942.png"} << "snap.zip" << "1942"
        << "snap.zip (1942.png)";
    QTest::newRow("archive, PNG before JPEG")
        << QStringList{"snap.zip:1942.jpg", "snap.zip:1942.png"} << "snap.zip" << "1942"
        << "snap.zip (1942.png)";
    QTest::newRow("archive, folders written with backslashes")
        << QStringList{"snap.zip:snap\\1942.png"} << "snap.zip" << "1942"
        << "snap.zip (snap\\1942.png)";
    QTest::newRow("archive, too deep") << QStringList{"snap.zip:a/b/c/1942.png"} << "snap.zip"
                                       << "1942" << "";
    QTest::newRow("archive, not an image") << QStringList{"snap.zip:1942.txt"} << "snap.zip"
                                           << "1942" << "";
    QTest::newRow("archive, name that climbs out") << QStringList{"snap.zip:../1942.png"}
                                                   << "snap.zip" << ".." << "";

    QTest::newRow("first source that has it")
        << QStringList{"titles/1942.png", "snap.zip:1942.png"} << "snap.zip;titles" << "1942"
        << "snap.zip (1942.png)";
    QTest::newRow("later source when the first has none")
        << QStringList{"titles/1942.png", "snap.zip:pacman.png"} << "snap.zip;titles" << "1942"
        << "titles/1942.png";
}

void tst_PictureSources::locate() {
    QFETCH(QStringList, files);
    QFETCH(QString, setting);
    QFETCH(QString, rom);
    QFETCH(QString, expected);
    TestAppFolder app;
    makeFiles(app, files);
    PictureSources sources(PictureSources::paths(setting, app.path()), kSuffixes);
    QCOMPARE(sources.open(), QStringList());
    QCOMPARE(found(sources, app, rom), QDir::toNativeSeparators(expected));
}

void tst_PictureSources::unusableSources_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("usable"); // of the setting and one good folder after it
    QTest::newRow("missing archive") << "gone.zip" << "picture archive" << 1;
    QTest::newRow("missing folder stays, it may come") << "gone" << "does not exist" << 2;
    QTest::newRow("a file that is no zip archive") << "text.zip" << "cannot be opened" << 1;
    QTest::newRow("a picture named as a source") << "good/1942.png" << "cannot be opened" << 1;
    QTest::newRow("an empty file") << "empty.zip" << "cannot be opened" << 1;
}

void tst_PictureSources::unusableSources() {
    QFETCH(QString, setting);
    QFETCH(QString, warning);
    QFETCH(int, usable);
    TestAppFolder app;
    app.write("text.zip", "this is not an archive\n");
    app.write("empty.zip", "");
    app.write("good/1942.png", "picture");
    PictureSources sources(PictureSources::paths(setting + ";good", app.path()), kSuffixes);
    const QStringList warnings = sources.open();
    QCOMPARE(warnings.size(), 1);
    QVERIFY2(warnings[0].contains(warning), qPrintable(warnings[0]));
    QVERIFY2(warnings[0].contains(QDir::toNativeSeparators(app.file(setting))),
             qPrintable(warnings[0]));
    QCOMPARE(sources.count(), usable);
    QCOMPARE(sources.open(), QStringList()); // once
    QCOMPARE(found(sources, app, "1942"), QDir::toNativeSeparators("good/1942.png"));
}

void tst_PictureSources::read_data() {
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("deflate");
    QTest::addColumn<qint64>("declared"); // -1: as written
    QTest::addColumn<QString>("problem");  // a word of it; empty: read whole

    constexpr qint64 limit = 1024 * 1024;
    const QByteArray picture = QByteArray("picture bytes ").repeated(100);
    const QByteArray zeros(2 * limit, '\0');
    QTest::newRow("folder") << "snap" << picture << false << qint64(-1) << QString();
    QTest::newRow("folder, exactly the limit")
        << "snap" << QByteArray(limit, 'x') << false << qint64(-1) << QString();
    QTest::newRow("folder, over the limit")
        << "snap" << QByteArray(limit + 1, 'x') << false << qint64(-1) << "more than";
    QTest::newRow("archive, deflated") << "snap.zip" << picture << true << qint64(-1)
                                       << QString();
    QTest::newRow("archive, stored") << "snap.zip" << picture << false << qint64(-1)
                                     << QString();
    QTest::newRow("archive, empty entry") << "snap.zip" << QByteArray() << true << qint64(-1)
                                          << QString();
    QTest::newRow("zip bomb, declared over the limit")
        << "snap.zip" << zeros << true << qint64(-1) << "declares 2097152 bytes";
    QTest::newRow("zip bomb, declaring 4 GB")
        << "snap.zip" << picture << true << qint64(0xfffffffeu) << "declares 4294967294 bytes";
    QTest::newRow("zip bomb, declaring less than it holds")
        << "snap.zip" << zeros << true << qint64(100) << "";
    QTest::newRow("stored entry declaring less than it holds")
        << "snap.zip" << picture << false << qint64(100) << "";
    QTest::newRow("entry declaring more than it holds")
        << "snap.zip" << picture << true << qint64(picture.size() + 50) << "";
}

void tst_PictureSources::read() {
    QFETCH(QString, setting);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, deflate);
    QFETCH(qint64, declared);
    QFETCH(QString, problem);
    TestAppFolder app;
    if (setting.endsWith(".zip")) {
        QVERIFY(WriteZip(app.file(setting), {{"1942.png", bytes, deflate}}));
        if (declared >= 0)
            QVERIFY(DeclareSize(app.file(setting), quint32(declared)));
    } else {
        app.write(setting + "/1942.png", bytes);
    }
    PictureSources sources(PictureSources::paths(setting, app.path()), kSuffixes);
    QCOMPARE(sources.open(), QStringList());
    const PictureLocation location = sources.locate(0, "1942");
    QVERIFY(location.found());
    PictureLimits limits;
    limits.maxFileBytes = 1024 * 1024;
    const PictureFile file = sources.read(location, limits);
    QCOMPARE(file.origin, location.origin);
    if (declared >= 0 && problem.isEmpty()) {
        // An archive whose sizes lie is refused, whatever libzip finds first.
        QVERIFY2(!file.readable(), qPrintable(file.problem));
        QVERIFY(file.bytes.isEmpty());
        return;
    }
    if (problem.isEmpty()) {
        QVERIFY2(file.readable(), qPrintable(file.problem));
        QCOMPARE(file.bytes, bytes);
    } else {
        QVERIFY(!file.readable());
        QVERIFY2(file.problem.contains(problem), qPrintable(file.problem));
        QVERIFY(file.bytes.isEmpty());
    }
}

QTEST_GUILESS_MAIN(tst_PictureSources)
#include "tst_PictureSources.moc"
