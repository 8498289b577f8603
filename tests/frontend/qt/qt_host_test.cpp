// Folders and files through Qt, on a scratch folder: what counts as a file, case-blind look-up,
// bounded reads, and saves that either replace a file whole or leave it alone.
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "frontend/qt/qt_host.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QStringList entries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                QDir::NoDotAndDotDot, QDir::Name);
}

// The exit status of setUp() run in a child process; -1 when it did not exit by itself.
int inChild(const std::function<int()>& setUp) {
  const pid_t child = fork();
  if (child == 0) _exit(setUp());
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

// What stands at path, without following a link.
char kindAt(const QString& path) {
  struct stat info {};
  if (lstat(path.toUtf8().constData(), &info) != 0) return '-';
  if (S_ISLNK(info.st_mode)) return 'l';
  if (S_ISREG(info.st_mode)) return 'f';
  if (S_ISDIR(info.st_mode)) return 'd';
  if (S_ISFIFO(info.st_mode)) return 'p';
  if (S_ISSOCK(info.st_mode)) return 's';
  if (S_ISCHR(info.st_mode)) return 'c';
  return '?';
}

// Puts the variables back as they were when it goes.
class EnvironmentKept {
 public:
  EnvironmentKept(std::initializer_list<const char*> names) {
    for (const char* name : names) saved_.emplace_back(name, qgetenv(name));
  }
  ~EnvironmentKept() {
    for (const auto& [name, value] : saved_)
      value.isNull() ? qunsetenv(name) : qputenv(name, value);
  }

 private:
  std::vector<std::pair<const char*, QByteArray>> saved_;
};

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
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(scratch.filePath("punt.dat"), permissions));
    QVERIFY(host.WriteFileAtomically(file, "2\r\n").ok);
    QCOMPARE(host.ReadFirstLine(file, 100), std::optional<std::string>("2"));
    QCOMPARE(QFileInfo(scratch.filePath("punt.dat")).size(), 3);
    const auto user = QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;  // the same as owner
    QCOMPARE(QFileInfo(scratch.filePath("punt.dat")).permissions() & ~user, permissions);

    const SaveResult failed = host.WriteFileAtomically(path("no/such/folder/punt.dat"), "x");
    QVERIFY(!failed.ok);
    QVERIFY(!failed.error.empty());
  }

  // The new file is made in full beside the old one before it takes its place, so a disk or
  // a file-size limit that runs out at any step leaves the old file as it was.
  void aSaveThatRunsOutOfRoomLeavesTheOldFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath("punt.dat");
    writeFile(file, "old table\r\n");
    const std::string table(4096, 'x');
    // A file-size limit makes every write past it fail, as a full disk does.
    const int status = inChild([&] {
      const rlimit limit{1024, RLIM_INFINITY};
      signal(SIGXFSZ, SIG_IGN);
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
      const SaveResult saved = host.WriteFileAtomically(file.toStdString(), table);
      return saved.ok ? 0 : saved.error.empty() ? 2 : 1;
    });
    QCOMPARE(status, 1);
    QCOMPARE(readFile(file), QByteArray("old table\r\n"));
    QCOMPARE(entries(dir.path()), QStringList{"punt.dat"});
  }

  void aSaveOnAFullDiskLeavesTheOldFile() {
    if (geteuid() != 0) QSKIP("mounting a small file system needs the administrator");
    QTemporaryDir dir;
    const QByteArray mountPoint = dir.path().toUtf8();
    if (mount("tmpfs", mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
      QSKIP("no tmpfs could be mounted here");
    const std::unique_ptr<const char, void (*)(const char*)> unmount(
        mountPoint.constData(), [](const char* folder) { umount2(folder, MNT_DETACH); });
    const QString file = dir.filePath("Idioma.dat");
    writeFile(file, "1=Idioma\r\n");
    {
      QFile filler(dir.filePath("filler"));
      QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
      while (filler.write(QByteArray(4096, 'f')) > 0) {
      }
    }
    const SaveResult saved = host.WriteFileAtomically(file.toStdString(), "0=Idioma\r\n");
    QVERIFY(!saved.ok);
    QVERIFY(!saved.error.empty());
    QCOMPARE(readFile(file), QByteArray("1=Idioma\r\n"));
    QCOMPARE(entries(dir.path()), (QStringList{"Idioma.dat", "filler"}));
  }

  // Players link their files elsewhere: a save goes on through the link to the file it leads
  // to, and the link stays. What is not a regular file is never replaced: the save fails.
  void savesGoThroughLinksToFilesAndReplaceNothingElse() {
    QTemporaryDir dir, elsewhere;
    const QString other = elsewhere.path();
    writeFile(other + "/table.dat", "old");
    QVERIFY(QDir(other).mkdir("folder"));
    QCOMPARE(mkfifo((other + "/fifo").toUtf8().constData(), 0600), 0);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = (other + "/socket").toUtf8();
    qstrncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path);
    QCOMPARE(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    // A device node of the administrator's own, the same device as /dev/null.
    const bool device = mknod((other + "/null").toUtf8().constData(), S_IFCHR | 0666,
                              makedev(1, 3)) == 0;

    struct Case {
      const char* name;
      QString target;  // where the link leads
      bool saved;
      char kind;  // what the target is afterwards
    };
    const Case cases[] = {
        {"a regular file", other + "/table.dat", true, 'f'},
        {"a link to a regular file", dir.filePath("chain"), true, 'l'},
        {"a file not made yet", other + "/new.dat", true, 'f'},
        {"a relative link", "../" + QFileInfo(other).fileName() + "/table.dat", true, 'f'},
        {"a folder", other + "/folder", false, 'd'},
        {"a FIFO", other + "/fifo", false, 'p'},
        {"a socket", other + "/socket", false, 's'},
        {"a device", device ? other + "/null" : QString(), false, 'c'},
        {"itself", dir.filePath("punt.dat"), false, 'l'},
    };
    QVERIFY(QFile::link(other + "/table.dat", dir.filePath("chain")));
    for (const Case& c : cases) {
      if (c.target.isEmpty()) continue;  // no device node without the administrator
      const QString link = dir.filePath("punt.dat");
      QFile::remove(link);
      QCOMPARE(symlink(c.target.toUtf8().constData(), link.toUtf8().constData()), 0);
      const SaveResult saved = host.WriteFileAtomically(link.toStdString(), "new table\r\n");
      QVERIFY2(saved.ok == c.saved, c.name);
      QVERIFY2(saved.ok || !saved.error.empty(), c.name);
      QVERIFY2(kindAt(link) == 'l', c.name);
      const QString target = QDir(dir.path()).absoluteFilePath(c.target);
      QVERIFY2(kindAt(target) == c.kind, c.name);
      if (c.saved) QVERIFY2(readFile(link) == "new table\r\n", c.name);
      writeFile(other + "/table.dat", "old");
    }
    // Nothing was left beside the targets either.
    QStringList expected{"fifo", "folder", "new.dat", "socket", "table.dat"};
    if (device) expected.insert(3, "null");
    QCOMPARE(entries(other), expected);
    QCOMPARE(entries(dir.path()), (QStringList{"chain", "punt.dat"}));
    // A folder, FIFO or socket at the file's own place is no more replaced than through a link.
    for (const char* name : {"folder", "fifo", "socket"}) {
      QVERIFY2(!host.WriteFileAtomically((other + "/" + name).toStdString(), "x").ok, name);
    }
    QCOMPARE(entries(other), expected);
    close(listener);
  }

  void writableFolderIsTriedAndLeftAsItWas() {
    QTemporaryDir dir;
    QVERIFY(host.IsWritableFolder(dir.path().toStdString() + "/"));
    const QDir::Filters everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    QVERIFY(QDir(dir.path()).entryList(everything).isEmpty());
    QVERIFY(!host.IsWritableFolder(dir.path().toStdString() + "/missing/"));
    QVERIFY(!host.IsWritableFolder("/proc/"));  // not even for the administrator
  }

  // Without a home of the player's own, Qt would offer a folder under the file system's root.
  void noHomeMeansNoUserDataFolder() {
    const bool rootHadIt = QFileInfo::exists("/.qttest");
    const EnvironmentKept kept{"HOME", "XDG_DATA_HOME"};
    qunsetenv("XDG_DATA_HOME");
    for (const char* home : {"(unset)", "", "/", "relative"}) {
      home == std::string("(unset)") ? qunsetenv("HOME") : qputenv("HOME", home);
      QVERIFY2(host.UserDataFolder().empty(), home);
    }
    QCOMPARE(QFileInfo::exists("/.qttest"), rootHadIt);
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
