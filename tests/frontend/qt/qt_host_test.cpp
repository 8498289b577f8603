// Folders and files through Qt, on a scratch folder: what counts as a file, case-blind look-up,
// bounded reads, and saves that either replace a file whole or leave it alone.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "frontend/qt/qt_host.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

}  // namespace

class QtHostTest : public QObject {
  Q_OBJECT

 private:
  QtHost host;
  QTemporaryDir scratch;
  std::string path(const QString& name) const { return scratch.filePath(name).toStdString(); }

 private slots:
  void initTestCase() {
    QVERIFY(scratch.isValid());
    QStandardPaths::setTestModeEnabled(true);
  }

  void onlyVisibleOrdinaryFilesExist() {
    writeFile(scratch.filePath("punt.dat"), "x");
    writeFile(scratch.filePath(".hidden.dat"), "x");
    QVERIFY(QDir(scratch.path()).mkdir("folder.dat"));
    QVERIFY(host.FileExists(path("punt.dat")));
    QVERIFY(!host.FileExists(path(".hidden.dat")));
    QVERIFY(!host.FileExists(path("folder.dat")));
    QVERIFY(!host.FileExists(path("missing.dat")));
  }

  void findsFilesWhateverTheirCase() {
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    QCOMPARE(host.FindFileIgnoringCase(folder, "Idioma.dat"), std::nullopt);
    QVERIFY(QDir(dir.path()).mkdir("idioma.dat"));  // a folder is no match
    QCOMPARE(host.FindFileIgnoringCase(folder, "Idioma.dat"), std::nullopt);
    writeFile(dir.filePath("IDIOMA.DAT"), "1");
    using Found = std::optional<std::string>;
    QCOMPARE(host.FindFileIgnoringCase(folder, "Idioma.dat"), Found("IDIOMA.DAT"));
    writeFile(dir.filePath("Idioma.dat"), "0");
    QCOMPARE(host.FindFileIgnoringCase(folder, "Idioma.dat"), Found("Idioma.dat"));
  }

  void readsOnlyTheFirstLineWithinItsBound() {
    using Line = std::optional<std::string>;
    struct Case {
      QByteArray bytes;
      std::size_t max;
      std::string line;
    };
    const Case cases[] = {{"1\r\n", 10, "1"},          {"abc\r\ndef\r\n", 10, "abc"},
                          {"abc", 10, "abc"},          {"", 10, ""},
                          {"\nabc", 10, ""},           {QByteArray(5000, 'z'), 8, "zzzzzzzz"},
                          {"abcdefgh\r\n", 8, "abcdefgh"}, {"a\rb\n", 10, "a"}};
    for (const Case& c : cases) {
      writeFile(scratch.filePath("line.dat"), c.bytes);
      QCOMPARE(host.ReadFirstLine(path("line.dat"), c.max), Line(c.line));
    }
    QCOMPARE(host.ReadFirstLine(path("missing.dat"), 10), std::nullopt);
    // An endless file: a reader that does not stop at its bound never returns.
    QCOMPARE(host.ReadFirstLine("/dev/zero", 16), Line(std::string(16, '\0')));
  }

  void savesReplaceTheWholeFileOrNothing() {
    const std::string file = path("punt.dat");
    QVERIFY(host.WriteFileAtomically(file, "first line\r\n").ok);
    QVERIFY(host.WriteFileAtomically(file, "2\r\n").ok);
    QCOMPARE(host.ReadFirstLine(file, 100), std::optional<std::string>("2"));
    QCOMPARE(QFileInfo(scratch.filePath("punt.dat")).size(), 3);

    const SaveResult failed = host.WriteFileAtomically(path("no/such/folder/punt.dat"), "x");
    QVERIFY(!failed.ok);
    QVERIFY(!failed.error.empty());
  }

  void writableFolderIsTriedAndLeftAsItWas() {
    QTemporaryDir dir;
    QVERIFY(host.IsWritableFolder(dir.path().toStdString() + "/"));
    const QDir::Filters everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    QVERIFY(QDir(dir.path()).entryList(everything).isEmpty());
    QVERIFY(!host.IsWritableFolder(dir.path().toStdString() + "/missing/"));
    QVERIFY(!host.IsWritableFolder("/proc/"));  // not even for the administrator
  }

  void userDataFolderIsCreated() {
    const std::string folder = host.UserDataFolder();
    QVERIFY(!folder.empty());
    QVERIFY(QFileInfo(QString::fromStdString(folder)).isDir());
    QVERIFY(host.IsWritableFolder(folder));
  }
};

QTEST_MAIN(QtHostTest)
#include "qt_host_test.moc"
