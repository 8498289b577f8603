// Folders, files and the clock through Qt. Paths cross in UTF-8 with the system's separators.
#include "frontend/qt/qt_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QTime>

#include <algorithm>

#include "frontend/qt/convert.h"
#include "frontend/qt/whole_file.h"

namespace {

QString fromPath(const std::string& path) { return QDir::fromNativeSeparators(toQString(path)); }
std::string toPath(const QString& path) { return toUtf8(QDir::toNativeSeparators(path)); }

}  // namespace

std::string QtHost::ProgramFolder() { return toPath(QCoreApplication::applicationDirPath()); }

void QtHost::SetWorkingDirectory(const std::string& folder) { QDir::setCurrent(fromPath(folder)); }

bool QtHost::IsWritableFolder(const std::string& folder) {
  // Permission bits do not tell (a read-only mount, an administrator's rights): try it.
  QTemporaryFile probe(QDir(fromPath(folder)).filePath(QStringLiteral(".tolvos-XXXXXX")));
  return probe.open();
}

std::string QtHost::UserDataFolder() {
  // Without a home of the player's own (or an XDG_DATA_HOME), Qt would build the folder on
  // the file system's root, or on a relative path.
  const QString home = qEnvironmentVariable("HOME");
  const bool ownHome = QDir::isAbsolutePath(home) && !QDir(home).isRoot();
  if (!ownHome && !QDir::isAbsolutePath(qEnvironmentVariable("XDG_DATA_HOME"))) return {};
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  if (!QDir::isAbsolutePath(folder) || !QDir().mkpath(folder)) return {};
  return toPath(folder);
}

double QtHost::SecondsSinceMidnight() {
  return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

bool QtHost::FileExists(const std::string& path) {
  const QFileInfo info(fromPath(path));
  return info.isFile() && !info.isHidden();
}

std::optional<std::string> QtHost::FindFileIgnoringCase(const std::string& folder,
                                                        const std::string& name) {
  const QString wanted = toQString(name);
  const QStringList files = QDir(fromPath(folder)).entryList(QDir::Files, QDir::Name);
  // The exact spelling wins over another one that differs only in case.
  if (files.contains(wanted)) return name;
  for (const QString& file : files)
    if (file.compare(wanted, Qt::CaseInsensitive) == 0) return toUtf8(file);
  return std::nullopt;
}

std::optional<std::string> QtHost::ReadFirstLine(const std::string& path, std::size_t max_bytes) {
  QFile file(fromPath(path));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  // A line of max_bytes and its CR LF at most; a huge or endless file is never read whole.
  const QByteArray head = file.read(static_cast<qint64>(max_bytes) + 2);
  if (head.isEmpty() && file.error() != QFileDevice::NoError) return std::nullopt;
  qsizetype end = head.size();
  for (qsizetype i = 0; i < head.size(); ++i) {
    if (head[i] == '\r' || head[i] == '\n') {
      end = i;
      break;
    }
  }
  end = std::min(end, static_cast<qsizetype>(max_bytes));
  return std::string(head.constData(), static_cast<std::size_t>(end));
}

SaveResult QtHost::WriteFileAtomically(const std::string& path, const std::string& bytes) {
  // Not QSaveFile: Qt 6.4's puts the new file in place even when a write to it has failed.
  return replaceWholeFile(path, bytes);
}
